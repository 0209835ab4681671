// The host's side of the service table: host variables by token, the registry of named
// variables, and the log of what modules asked of the host.
//
// The service table is plain functions, so they reach the host through the one HostServices
// object that is active at a time; constructing a second one while one exists is refused.
#pragma once

#include "host_contract.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host {

// One call a module made into the service table, in the order made.
struct ServiceCall {
    enum class Kind { trigger_key_event, register_var_by_name, lookup_var, unregister_var_by_name };
    Kind kind;
    std::uint32_t number = 0; // key event id, or token
    std::uint32_t value = 0;  // key event value, or type code
    std::string name;         // named variable
};

const char* service_call_name(ServiceCall::Kind kind);

// A named variable a module has published: where its 32-bit value lives, and its type code.
struct NamedVariable {
    std::string name;
    std::int32_t* address = nullptr;
    std::int32_t type = 0;
};

class HostServices {
  public:
    HostServices();
    ~HostServices();
    HostServices(const HostServices&) = delete;
    HostServices& operator=(const HostServices&) = delete;

    // The table to install into a module's ImportTable.
    PANELS* table() { return &table_; }

    // Host variables. A token never set reads 0; token 0 always reads 0.
    void set_variable(std::uint32_t token, double value);
    double variable(std::uint32_t token) const;
    const std::map<std::uint32_t, double>& variables() const { return variables_; }

    // Named variables, as another panel part reads and writes them between a gauge's calls.
    const std::vector<NamedVariable>& named_variables() const { return named_; }
    std::optional<std::int32_t> read_named(const std::string& name) const;
    // Returns false when no module has published the name.
    bool write_named(const std::string& name, std::int32_t value);
    // Withdraws every name whose value lies in [begin, end), a module's memory that goes away;
    // returns the names withdrawn.
    std::vector<std::string> withdraw_named_within(std::uintptr_t begin, std::uintptr_t end);

    // What modules asked of the host since the last take_calls().
    std::vector<ServiceCall> take_calls();
    const std::vector<ServiceCall>& calls() const { return calls_; }

    // Called with each service call as it is made, after the host has acted on it.
    void observe(std::function<void(const ServiceCall&)> observer) {
        observer_ = std::move(observer);
    }

    // Key events sent, in order, as (event id, value).
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& key_events() const {
        return key_events_;
    }

  private:
    friend struct ServiceTable;

    void record(ServiceCall call);

    std::int32_t trigger_key_event(std::uint32_t event_id, std::uint32_t value);
    std::int32_t register_var(void* var, std::int32_t type, const char* name);
    void lookup(MODULE_VAR* var);
    void unregister_var(const char* name);

    PANELS table_{};
    std::map<std::uint32_t, double> variables_;
    std::vector<NamedVariable> named_;
    std::vector<ServiceCall> calls_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> key_events_;
    std::function<void(const ServiceCall&)> observer_;
};

} // namespace host
