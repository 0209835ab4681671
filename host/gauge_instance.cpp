#include "gauge_instance.h"

#include <cstring>

namespace host {

namespace {

// Bytes past the stated capacity of each text buffer, filled with a guard pattern so that a
// write past the capacity is seen.
constexpr std::size_t text_guard_size = 32;
constexpr char text_guard = '\xA5';

double call_or_source(UPDATE_CALLBACK callback, ELEMENT_HEADER* element, const MODULE_VAR& source) {
    return callback != nullptr ? callback(element) : source.value;
}

bool box_holds(const PIXBOX& box, int x, int y) {
    return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
}

} // namespace

const char* service_name(std::int32_t service_id) {
    switch (service_id) {
    case PANEL_SERVICE_PRE_INSTALL:
        return "PANEL_SERVICE_PRE_INSTALL";
    case PANEL_SERVICE_PRE_INITIALIZE:
        return "PANEL_SERVICE_PRE_INITIALIZE";
    case PANEL_SERVICE_PRE_UPDATE:
        return "PANEL_SERVICE_PRE_UPDATE";
    case PANEL_SERVICE_PRE_DRAW:
        return "PANEL_SERVICE_PRE_DRAW";
    case PANEL_SERVICE_PRE_KILL:
        return "PANEL_SERVICE_PRE_KILL";
    default:
        return "other";
    }
}

std::vector<const char*> value_names(std::int32_t element_type) {
    switch (element_type) {
    case ELEMENT_TYPE_NEEDLE:
    case ELEMENT_TYPE_ICON:
        return {"value"};
    case ELEMENT_TYPE_STRING:
        return {"returned"};
    case ELEMENT_TYPE_SLIDER:
    case ELEMENT_TYPE_MOVING_IMAGE:
        return {"x", "y"};
    case ELEMENT_TYPE_SPRITE:
        return {"x", "y", "turn"};
    default:
        return {};
    }
}

GaugeInstance::GaugeInstance(GaugeModule& module, HostServices& services,
                             std::uint32_t text_capacity)
    : module_(module), services_(services), text_capacity_(text_capacity),
      results_(module.elements().size()), text_buffers_(module.elements().size()) {}

void GaugeInstance::send(std::int32_t service_id) {
    if (GAUGE_CALLBACK callback = module_.gauge()->gauge_callback) {
        callback(module_.gauge(), service_id, 0);
    }
}

void GaugeInstance::frame() {
    send(PANEL_SERVICE_PRE_UPDATE);
    update_elements();
    send(PANEL_SERVICE_PRE_DRAW);
}

void GaugeInstance::update_elements() {
    for (std::size_t i = 0; i < module_.elements().size(); ++i) {
        run_callbacks(static_cast<int>(i));
    }
}

void GaugeInstance::refresh_sources(ELEMENT_HEADER* element) {
    const auto refresh = [&](MODULE_VAR& var) {
        var.previous_value = var.value;
        var.value = services_.variable(var.token);
    };
    switch (element->element_type) {
    case ELEMENT_TYPE_NEEDLE:
        refresh(reinterpret_cast<ELEMENT_NEEDLE*>(element)->SOURCE_VAR);
        break;
    case ELEMENT_TYPE_STRING: {
        auto* text = reinterpret_cast<ELEMENT_STRING*>(element);
        refresh(text->SOURCE_VAR_1);
        refresh(text->SOURCE_VAR_2);
        refresh(text->SOURCE_VAR_3);
        break;
    }
    case ELEMENT_TYPE_SLIDER: {
        auto* slider = reinterpret_cast<ELEMENT_SLIDER*>(element);
        refresh(slider->SOURCE_VAR_X);
        refresh(slider->SOURCE_VAR_Y);
        break;
    }
    case ELEMENT_TYPE_ICON:
        refresh(reinterpret_cast<ELEMENT_ICON*>(element)->SOURCE_VAR);
        break;
    case ELEMENT_TYPE_MOVING_IMAGE: {
        auto* moving = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(element);
        refresh(moving->SOURCE_VAR_X);
        refresh(moving->SOURCE_VAR_Y);
        break;
    }
    case ELEMENT_TYPE_SPRITE: {
        auto* sprite = reinterpret_cast<ELEMENT_SPRITE*>(element);
        refresh(sprite->SOURCE_VAR_X);
        refresh(sprite->SOURCE_VAR_Y);
        refresh(sprite->SOURCE_VAR_0);
        break;
    }
    default:
        break;
    }
}

void GaugeInstance::run_callbacks(int index) {
    ELEMENT_HEADER* element = module_.elements()[static_cast<std::size_t>(index)].element;
    ElementResult& result = results_[static_cast<std::size_t>(index)];
    refresh_sources(element);
    switch (element->element_type) {
    case ELEMENT_TYPE_NEEDLE: {
        auto* needle = reinterpret_cast<ELEMENT_NEEDLE*>(element);
        result.values = {call_or_source(needle->CALLBACK, element, needle->SOURCE_VAR), 0, 0};
        result.value_count = 1;
        break;
    }
    case ELEMENT_TYPE_STRING: {
        auto* text = reinterpret_cast<ELEMENT_STRING*>(element);
        prepare_text_buffer(index, text);
        result.values = {text->CALLBACK != nullptr ? text->CALLBACK(element) : 0.0, 0, 0};
        result.value_count = 1;
        collect_text(index);
        break;
    }
    case ELEMENT_TYPE_SLIDER: {
        auto* slider = reinterpret_cast<ELEMENT_SLIDER*>(element);
        result.values = {call_or_source(slider->CALLBACK_X, element, slider->SOURCE_VAR_X),
                         call_or_source(slider->CALLBACK_Y, element, slider->SOURCE_VAR_Y), 0};
        result.value_count = 2;
        break;
    }
    case ELEMENT_TYPE_ICON: {
        auto* icon = reinterpret_cast<ELEMENT_ICON*>(element);
        result.values = {call_or_source(icon->CALLBACK, element, icon->SOURCE_VAR), 0, 0};
        result.value_count = 1;
        break;
    }
    case ELEMENT_TYPE_MOVING_IMAGE: {
        auto* moving = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(element);
        result.values = {call_or_source(moving->CALLBACK_X, element, moving->SOURCE_VAR_X),
                         call_or_source(moving->CALLBACK_Y, element, moving->SOURCE_VAR_Y), 0};
        result.value_count = 2;
        break;
    }
    case ELEMENT_TYPE_SPRITE: {
        auto* sprite = reinterpret_cast<ELEMENT_SPRITE*>(element);
        result.values = {call_or_source(sprite->CALLBACK_X, element, sprite->SOURCE_VAR_X),
                         call_or_source(sprite->CALLBACK_Y, element, sprite->SOURCE_VAR_Y),
                         call_or_source(sprite->CALLBACK_0, element, sprite->SOURCE_VAR_0)};
        result.value_count = 3;
        break;
    }
    default:
        result.value_count = 0;
        break;
    }
    result.flags = element->image_flags;
    result.updated = true;
}

void GaugeInstance::prepare_text_buffer(int index, ELEMENT_STRING* text) {
    std::vector<char>& buffer = text_buffers_[static_cast<std::size_t>(index)];
    buffer.assign(text_capacity_ + text_guard_size, text_guard);
    // A stated capacity of 0 means the host supplies no buffer at all.
    text->string = text_capacity_ > 0 ? buffer.data() : nullptr;
    text->string_capacity = text_capacity_;
}

void GaugeInstance::collect_text(int index) {
    const std::vector<char>& buffer = text_buffers_[static_cast<std::size_t>(index)];
    ElementResult& result = results_[static_cast<std::size_t>(index)];
    for (std::size_t i = text_capacity_; i < buffer.size(); ++i) {
        if (buffer[i] != text_guard) {
            text_faults_.push_back({index, "wrote past the buffer's stated capacity of " +
                                               std::to_string(text_capacity_) + " bytes"});
            break;
        }
    }
    const void* end = std::memchr(buffer.data(), '\0', text_capacity_);
    if (end == nullptr) {
        if (text_capacity_ > 0) {
            text_faults_.push_back({index, "left its text without a terminating NUL"});
        }
        result.text.clear();
    } else {
        result.text.assign(buffer.data(), static_cast<const char*>(end));
    }
}

int GaugeInstance::rect_at(int x, int y) const {
    const std::vector<MOUSERECT*>& rects = module_.mouse_rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i]->rect_type == MOUSE_RECT_CHILD && box_holds(rects[i]->box, x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ClickResult GaugeInstance::click(int x, int y, int repeats) {
    ClickResult result;
    result.rect = rect_at(x, y);
    if (result.rect < 0) {
        return result;
    }
    const MOUSERECT* rect = module_.mouse_rects()[static_cast<std::size_t>(result.rect)];
    if (rect->target.function == nullptr || (rect->mouse_flags & MOUSE_LEFTSINGLE) == 0) {
        return result;
    }
    PIXPOINT point{x, y};
    const auto call = [&](std::uint32_t action) {
        result.returned.push_back(rect->target.function(&point, action));
        ++result.calls;
    };
    call(MOUSE_LEFTSINGLE);
    if ((rect->mouse_flags & MOUSE_DOWN_REPEAT) != 0) {
        for (int i = 0; i < repeats; ++i) {
            call(MOUSE_DOWN_REPEAT);
        }
    }
    return result;
}

} // namespace host
