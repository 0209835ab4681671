#include "scenario_runner.h"
#include "errors.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace host {

using nlohmann::ordered_json;

namespace {

// JSON has no NaN or infinity: those values are written as strings.
ordered_json number_json(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    return value;
}

char hex_digit(int value) {
    return "0123456789abcdef"[value & 15];
}

std::string flags_text(std::uint32_t flags) {
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += hex_digit(static_cast<int>(flags >> shift));
    }
    return text;
}

} // namespace

void TraceWriter::service(int frame, std::int32_t service_id) {
    out_ << ordered_json{{"frame", frame},
                         {"event", "service"},
                         {"id", service_id},
                         {"name", service_name(service_id)}}
                .dump()
         << '\n';
}

void TraceWriter::calls(int frame, const std::vector<ServiceCall>& calls) {
    for (const ServiceCall& call : calls) {
        ordered_json line = {{"frame", frame}, {"event", service_call_name(call.kind)}};
        switch (call.kind) {
        case ServiceCall::Kind::trigger_key_event:
            line["id"] = call.number;
            line["value"] = call.value;
            break;
        case ServiceCall::Kind::lookup_var:
            line["token"] = call.number;
            break;
        case ServiceCall::Kind::register_var_by_name:
            line["name"] = call.name;
            line["type"] = call.value;
            break;
        case ServiceCall::Kind::unregister_var_by_name:
            line["name"] = call.name;
            break;
        }
        out_ << line.dump() << '\n';
    }
}

void TraceWriter::click(int frame, const ScenarioStep& step, const ClickResult& result) {
    out_ << ordered_json{{"frame", frame},
                         {"event", "click"},
                         {"point", {step.x, step.y}},
                         {"repeats", step.repeats},
                         {"rect", result.rect < 0 ? ordered_json() : ordered_json(result.rect + 1)},
                         {"calls", result.calls},
                         {"returned", result.returned}}
                .dump()
         << '\n';
}

void TraceWriter::elements(int frame, const GaugeInstance& instance) {
    const std::vector<ElementNode>& nodes = instance.module().elements();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const ElementResult& result = instance.results()[i];
        const std::int32_t kind = nodes[i].element->element_type;
        ordered_json line = {{"frame", frame},
                             {"event", "element"},
                             {"index", i + 1},
                             {"kind", element_kind_name(kind)}};
        const std::vector<const char*> names = value_names(kind);
        ordered_json values = ordered_json::object();
        for (int v = 0; v < result.value_count && v < static_cast<int>(names.size()); ++v) {
            values[names[static_cast<std::size_t>(v)]] =
                number_json(result.values[static_cast<std::size_t>(v)]);
        }
        line["values"] = values;
        if (kind == ELEMENT_TYPE_STRING) {
            line["text"] = result.text;
        }
        line["flags"] = flags_text(result.flags);
        out_ << line.dump() << '\n';
    }
}

void TraceWriter::named(int frame, const HostServices& services) {
    ordered_json values = ordered_json::object();
    for (const NamedVariable& var : services.named_variables()) {
        values[var.name] = *var.address;
    }
    out_ << ordered_json{{"frame", frame}, {"event", "named"}, {"values", values}}.dump() << '\n';
}

void ScenarioRunner::flush_calls() {
    std::vector<ServiceCall> calls = services_.take_calls();
    if (trace_ != nullptr) {
        trace_->calls(frame_, calls);
    }
}

void ScenarioRunner::send(std::int32_t service_id) {
    if (trace_ != nullptr) {
        trace_->service(frame_, service_id);
    }
    instance_.send(service_id);
    flush_calls();
}

void ScenarioRunner::start() {
    send(PANEL_SERVICE_PRE_INSTALL);
    send(PANEL_SERVICE_PRE_INITIALIZE);
}

void ScenarioRunner::apply(const ScenarioStep& step) {
    switch (step.kind) {
    case ScenarioStep::Kind::var:
        services_.set_variable(step.token, step.value);
        break;
    case ScenarioStep::Kind::named:
        if (!services_.write_named(step.name, step.named_value)) {
            throw UsageError("no module has published a named variable '" + step.name + "'");
        }
        break;
    case ScenarioStep::Kind::click: {
        const ClickResult result = instance_.click(step.x, step.y, step.repeats);
        if (trace_ != nullptr) {
            trace_->click(frame_, step, result);
        }
        flush_calls();
        break;
    }
    case ScenarioStep::Kind::service:
        send(step.service_id);
        break;
    }
}

void ScenarioRunner::play(const Scenario& scenario, const FrameObserver& after_frame) {
    for (int n = 1; n <= scenario.frames; ++n) {
        ++frame_;
        for (const ScenarioStep& step : scenario.steps) {
            if (step.frame == n) {
                apply(step);
            }
        }
        send(PANEL_SERVICE_PRE_UPDATE);
        instance_.update_elements();
        flush_calls();
        if (trace_ != nullptr) {
            trace_->elements(frame_, instance_);
        }
        send(PANEL_SERVICE_PRE_DRAW);
        if (trace_ != nullptr) {
            trace_->named(frame_, services_);
        }
        if (after_frame) {
            after_frame(n, scenario.frames);
        }
    }
}

void ScenarioRunner::finish() {
    send(PANEL_SERVICE_PRE_KILL);
}

} // namespace host
