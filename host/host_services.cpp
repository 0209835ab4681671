#include "host_services.h"
#include "sound_double_probe.h"

#include <algorithm>
#include <stdexcept>

namespace host {

namespace {
HostServices* active = nullptr;
}

// The functions of the service table, forwarding to the active host.
struct ServiceTable {
    static std::int32_t HOST_CALL trigger_key_event(std::uint32_t event_id, std::uint32_t value) {
        return active->trigger_key_event(event_id, value);
    }
    static std::int32_t HOST_CALL register_var(void* var, std::int32_t type, const char* name) {
        return active->register_var(var, type, name);
    }
    static void HOST_CALL lookup(MODULE_VAR* var) { active->lookup(var); }
    static void HOST_CALL unregister_var(const char* name) { active->unregister_var(name); }
};

const char* service_call_name(ServiceCall::Kind kind) {
    switch (kind) {
    case ServiceCall::Kind::trigger_key_event:
        return "trigger_key_event";
    case ServiceCall::Kind::register_var_by_name:
        return "register_var_by_name";
    case ServiceCall::Kind::lookup_var:
        return "lookup_var";
    case ServiceCall::Kind::unregister_var_by_name:
        return "unregister_var_by_name";
    }
    return "unknown";
}

HostServices::HostServices() {
    if (active != nullptr) {
        throw std::logic_error("only one host may be active at a time");
    }
    active = this;
    table_ = {.size = sizeof(PANELS),
              .trigger_key_event = ServiceTable::trigger_key_event,
              .register_var_by_name = ServiceTable::register_var,
              .lookup_var = ServiceTable::lookup,
              .unregister_var_by_name = ServiceTable::unregister_var};
}

HostServices::~HostServices() {
    active = nullptr;
}

void HostServices::set_variable(std::uint32_t token, double value) {
    if (token != 0) {
        variables_[token] = value;
    }
}

double HostServices::variable(std::uint32_t token) const {
    const auto found = variables_.find(token);
    return found == variables_.end() ? 0.0 : found->second;
}

std::optional<std::int32_t> HostServices::read_named(const std::string& name) const {
    for (const NamedVariable& var : named_) {
        if (var.name == name) {
            return *var.address;
        }
    }
    return std::nullopt;
}

bool HostServices::write_named(const std::string& name, std::int32_t value) {
    for (NamedVariable& var : named_) {
        if (var.name == name) {
            *var.address = value;
            return true;
        }
    }
    return false;
}

std::vector<std::string> HostServices::withdraw_named_within(std::uintptr_t begin,
                                                             std::uintptr_t end) {
    std::vector<std::string> withdrawn;
    std::erase_if(named_, [&](const NamedVariable& var) {
        const auto at = reinterpret_cast<std::uintptr_t>(var.address);
        if (at >= begin && at < end) {
            withdrawn.push_back(var.name);
            return true;
        }
        return false;
    });
    return withdrawn;
}

std::vector<ServiceCall> HostServices::take_calls() {
    std::vector<ServiceCall> taken;
    taken.swap(calls_);
    return taken;
}

void HostServices::record(ServiceCall call) {
    calls_.push_back(call);
    if (observer_) {
        observer_(calls_.back());
    }
}

std::int32_t HostServices::trigger_key_event(std::uint32_t event_id, std::uint32_t value) {
    key_events_.emplace_back(event_id, value);
    record({.kind = ServiceCall::Kind::trigger_key_event,
            .number = event_id,
            .value = value,
            .name = {}});
    return 1;
}

std::int32_t HostServices::register_var(void* var, std::int32_t type, const char* name) {
    const std::string text = name != nullptr ? name : "";
    const bool accepted = var != nullptr && !text.empty();
    if (accepted) {
        // A name registered again, by another instance of the same gauge, takes the new address.
        std::erase_if(named_, [&](const NamedVariable& existing) { return existing.name == text; });
        named_.push_back({.name = text, .address = static_cast<std::int32_t*>(var), .type = type});
    }
    record({.kind = ServiceCall::Kind::register_var_by_name,
            .number = 0,
            .value = static_cast<std::uint32_t>(type),
            .name = text});
    return accepted ? 1 : 0;
}

void HostServices::lookup(MODULE_VAR* var) {
    if (var != nullptr) {
        var->previous_value = var->value;
        var->value = variable(var->token);
    }
    record({.kind = ServiceCall::Kind::lookup_var,
            .number = var != nullptr ? var->token : 0,
            .value = 0,
            .name = {}});
}

void HostServices::unregister_var(const char* name) {
    const std::string text = name != nullptr ? name : "";
    std::erase_if(named_, [&](const NamedVariable& existing) { return existing.name == text; });
    record(
        {.kind = ServiceCall::Kind::unregister_var_by_name, .number = 0, .value = 0, .name = text});
}

} // namespace host

// The "GaugeSound" test double counts into this block of the program that loads it.
extern "C" {
SOUND_DOUBLE_EXPORT SOUND_DOUBLE_COUNTS sound_double_counts = {};
}
