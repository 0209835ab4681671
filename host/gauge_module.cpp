#include "gauge_module.h"
#include "errors.h"

#include <cstring>
#include <set>

namespace host {

namespace {

// Checks that the records a module points to lie inside its own image, where the host reads
// them, and fit there; writable where the host writes them and executable where it calls.
class ImageCheck {
  public:
    ImageCheck(const std::vector<ImageRange>& image, std::string file)
        : image_(image), file_(std::move(file)) {}

    [[noreturn]] void fail(const std::string& fault) const {
        throw LoadError(file_ + ": " + fault);
    }

    template <class T> T* record(T* pointer, const std::string& what, std::size_t count = 1) const {
        if (!holds(reinterpret_cast<std::uintptr_t>(pointer), sizeof(T) * count, true, false)) {
            fail(what + " lies outside the module's writable data");
        }
        return pointer;
    }

    template <class F> void function(F pointer, const std::string& what) const {
        if (!holds(reinterpret_cast<std::uintptr_t>(pointer), 1, false, true)) {
            fail(what + " does not point into the module's code");
        }
    }

    // A NUL-terminated text of at most `limit` characters inside the image.
    std::string text(const char* pointer, const std::string& what,
                     std::size_t limit = max_text_length) const {
        const auto at = reinterpret_cast<std::uintptr_t>(pointer);
        for (std::size_t length = 0; length <= limit; ++length) {
            if (!holds(at + length, 1, false, false)) {
                fail(what + " lies outside the module");
            }
            if (pointer[length] == '\0') {
                return std::string(pointer, length);
            }
        }
        fail(what + " is not closed by a NUL within " + std::to_string(limit) + " characters");
    }

  private:
    bool holds(std::uintptr_t at, std::size_t size, bool writable, bool executable) const {
        if (at == 0) {
            return false;
        }
        for (const ImageRange& range : image_) {
            if (at >= range.begin && at <= range.end && size <= range.end - at &&
                (!writable || range.writable) && (!executable || range.executable)) {
                return true;
            }
        }
        return false;
    }

    const std::vector<ImageRange>& image_;
    std::string file_;
};

std::string element_name(std::size_t index) {
    return "element " + std::to_string(index + 1);
}

void check_callback(const ImageCheck& check, UPDATE_CALLBACK callback, const std::string& what) {
    if (callback != nullptr) {
        check.function(callback, what + "'s update callback");
    }
}

// Checks the parameters of one element record of its kind.
void check_element_parameters(const ImageCheck& check, ELEMENT_HEADER* element,
                              const std::string& what) {
    switch (element->element_type) {
    case ELEMENT_TYPE_STATIC_IMAGE:
        break;
    case ELEMENT_TYPE_NEEDLE: {
        auto* needle = reinterpret_cast<ELEMENT_NEEDLE*>(element);
        if (needle->NONLINEARITY_COUNT < 1 || needle->NONLINEARITY_COUNT > max_calibration_points) {
            check.fail(what + " has " + std::to_string(needle->NONLINEARITY_COUNT) +
                       " calibration points");
        }
        check.record(needle->NONLINEARITY_TABLE, what + "'s calibration table",
                     needle->NONLINEARITY_COUNT);
        check_callback(check, needle->CALLBACK, what);
        break;
    }
    case ELEMENT_TYPE_STRING: {
        auto* text = reinterpret_cast<ELEMENT_STRING*>(element);
        if (std::memchr(text->FONT_NAME, '\0', sizeof text->FONT_NAME) == nullptr) {
            check.fail(what + "'s font name is not closed by a NUL");
        }
        if (text->SIZE_X < 0 || text->SIZE_Y < 0) {
            check.fail(what + " has a text box of negative size");
        }
        check_callback(check, text->CALLBACK, what);
        break;
    }
    case ELEMENT_TYPE_SLIDER: {
        auto* slider = reinterpret_cast<ELEMENT_SLIDER*>(element);
        check_callback(check, slider->CALLBACK_X, what);
        check_callback(check, slider->CALLBACK_Y, what);
        break;
    }
    case ELEMENT_TYPE_ICON: {
        auto* icon = reinterpret_cast<ELEMENT_ICON*>(element);
        if (icon->NUM_ICONS < 0) {
            check.fail(what + " has a negative number of pictures");
        }
        check_callback(check, icon->CALLBACK, what);
        break;
    }
    case ELEMENT_TYPE_MOVING_IMAGE: {
        auto* moving = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(element);
        check_callback(check, moving->CALLBACK_X, what);
        check_callback(check, moving->CALLBACK_Y, what);
        break;
    }
    case ELEMENT_TYPE_SPRITE: {
        auto* sprite = reinterpret_cast<ELEMENT_SPRITE*>(element);
        check_callback(check, sprite->CALLBACK_X, what);
        check_callback(check, sprite->CALLBACK_Y, what);
        check_callback(check, sprite->CALLBACK_0, what);
        break;
    }
    }
}

// Reads an element's header and record, then its failure list.
ELEMENT_HEADER* checked_element(const ImageCheck& check, ELEMENT_HEADER* element,
                                const GAUGEHDR* gauge, const std::string& what) {
    check.record(element, what);
    const std::size_t size = element_record_size(element->element_type);
    if (size == 0) {
        check.fail(what + " has unknown element type " + std::to_string(element->element_type));
    }
    check.record(reinterpret_cast<char*>(element),
                 what + " of kind " + element_kind_name(element->element_type), size);
    if (element->gauge_header != gauge) {
        check.fail(what + " does not refer back to the gauge header");
    }
    FAILURE_RECORD* failure = check.record(element->failure_systems, what + "'s failure list");
    for (std::size_t i = 0; failure->system != 0 || failure->action != 0; ++i, ++failure) {
        if (i + 1 >= max_failure_records) {
            check.fail(what + "'s failure list has no end record");
        }
        check.record(failure + 1, what + "'s failure list");
    }
    check_element_parameters(check, element, what);
    return element;
}

std::vector<ElementNode> walk_elements(const ImageCheck& check, GAUGEHDR* gauge) {
    ELEMENT_HEADER** root_slot = check.record(gauge->elements_list, "the gauge's element list");
    std::vector<ElementNode> nodes;
    std::set<ELEMENT_HEADER*> seen;
    // Depth first, each element before its children, children in list order.
    std::vector<ElementNode> pending{{*root_slot, -1, 0}};
    while (!pending.empty()) {
        ElementNode node = pending.back();
        pending.pop_back();
        const std::string what = element_name(nodes.size());
        if (nodes.size() >= max_elements) {
            check.fail("the element tree has more than " + std::to_string(max_elements) +
                       " elements");
        }
        if (!seen.insert(node.element).second) {
            check.fail("the element chain does not end: " + what + " is an element seen before");
        }
        checked_element(check, node.element, gauge, what);
        const int index = static_cast<int>(nodes.size());
        nodes.push_back(node);
        ELEMENT_HEADER** children = node.element->next_element;
        if (children == nullptr) {
            continue;
        }
        std::vector<ElementNode> listed;
        for (std::size_t i = 0;; ++i) {
            if (i >= max_children) {
                check.fail(what + "'s child list has no closing null entry");
            }
            ELEMENT_HEADER* child = *check.record(children + i, what + "'s child list");
            if (child == nullptr) {
                break;
            }
            listed.push_back({child, index, node.depth + 1});
        }
        pending.insert(pending.end(), listed.rbegin(), listed.rend());
    }
    return nodes;
}

std::vector<MOUSERECT*> walk_mouse_rects(const ImageCheck& check, GAUGEHDR* gauge) {
    std::vector<MOUSERECT*> rects;
    for (MOUSERECT* rect = gauge->mouse_rect;; ++rect) {
        const std::string what = "mouse rectangle " + std::to_string(rects.size() + 1);
        if (rects.size() >= max_mouse_rects) {
            check.fail("the mouse rectangle list has no end record");
        }
        check.record(rect, what);
        rects.push_back(rect);
        switch (rect->rect_type) {
        case MOUSE_RECT_EOL:
            return rects;
        case MOUSE_RECT_CHILD:
            if (rect->target.function != nullptr) {
                check.function(rect->target.function, what + "'s mouse function");
            }
            break;
        case MOUSE_RECT_USER:
            if (rect->target.tooltip_text != nullptr) {
                check.text(rect->target.tooltip_text, what + "'s tooltip text");
            }
            break;
        case MOUSE_RECT_PARENT:
        case MOUSE_RECT_END_PARENT:
            break;
        default:
            check.fail(what + " has unknown kind " + std::to_string(rect->rect_type));
        }
    }
}

} // namespace

std::size_t element_record_size(std::int32_t element_type) {
    switch (element_type) {
    case ELEMENT_TYPE_STATIC_IMAGE:
        return sizeof(ELEMENT_STATIC_IMAGE);
    case ELEMENT_TYPE_NEEDLE:
        return sizeof(ELEMENT_NEEDLE);
    case ELEMENT_TYPE_STRING:
        return sizeof(ELEMENT_STRING);
    case ELEMENT_TYPE_SLIDER:
        return sizeof(ELEMENT_SLIDER);
    case ELEMENT_TYPE_ICON:
        return sizeof(ELEMENT_ICON);
    case ELEMENT_TYPE_MOVING_IMAGE:
        return sizeof(ELEMENT_MOVING_IMAGE);
    case ELEMENT_TYPE_SPRITE:
        return sizeof(ELEMENT_SPRITE);
    default:
        return 0;
    }
}

const char* element_kind_name(std::int32_t element_type) {
    switch (element_type) {
    case ELEMENT_TYPE_STATIC_IMAGE:
        return "ELEMENT_STATIC_IMAGE";
    case ELEMENT_TYPE_NEEDLE:
        return "ELEMENT_NEEDLE";
    case ELEMENT_TYPE_STRING:
        return "ELEMENT_STRING";
    case ELEMENT_TYPE_SLIDER:
        return "ELEMENT_SLIDER";
    case ELEMENT_TYPE_ICON:
        return "ELEMENT_ICON";
    case ELEMENT_TYPE_MOVING_IMAGE:
        return "ELEMENT_MOVING_IMAGE";
    case ELEMENT_TYPE_SPRITE:
        return "ELEMENT_SPRITE";
    default:
        return "unknown";
    }
}

GaugeModule::GaugeModule(const std::filesystem::path& path, HostServices& services)
    : services_(services), library_(std::make_unique<DynamicLibrary>(path)) {
    const ImageCheck check(library_->image(), path.string());
    linkage_ = static_cast<MODULE_LINKAGE*>(library_->symbol("Linkage"));
    import_table_ = static_cast<IMPORT_TABLE*>(library_->symbol("ImportTable"));
    if (linkage_ == nullptr) {
        check.fail("the module does not export Linkage");
    }
    if (import_table_ == nullptr) {
        check.fail("the module does not export ImportTable");
    }
    check.record(linkage_, "Linkage");
    check.record(import_table_, "ImportTable");
    if (import_table_->panels.id != IMPORT_ID_PANELS) {
        check.fail("ImportTable has no service-table entry");
    }
    if (linkage_->module_init != nullptr) {
        check.function(linkage_->module_init, "module init");
    }
    if (linkage_->module_deinit != nullptr) {
        check.function(linkage_->module_deinit, "module deinit");
    }
    if (linkage_->gauges[0] == nullptr) {
        check.fail("Linkage lists no gauge header");
    }
    if (linkage_->gauges[1] != nullptr) {
        check.fail("Linkage lists more than one gauge header");
    }
    GAUGEHDR* header = check.record(linkage_->gauges[0], "the gauge header");
    check.text(header->gauge_name, "the gauge name");
    if (header->gauge_callback != nullptr) {
        check.function(header->gauge_callback, "the gauge callback");
    }
    elements_ = walk_elements(check, header);
    mouse_rects_ = walk_mouse_rects(check, header);
    for (const ElementNode& node : elements_) {
        stored_flags_.push_back(node.element->image_flags);
    }

    import_table_->panels.services = services_.table();
    if (linkage_->module_init != nullptr) {
        linkage_->module_init();
    }
}

GaugeModule::~GaugeModule() {
    if (linkage_->module_deinit != nullptr) {
        linkage_->module_deinit();
    }
    for (const ImageRange& range : library_->image()) {
        services_.withdraw_named_within(range.begin, range.end);
    }
}

std::string GaugeModule::name() const {
    return gauge()->gauge_name;
}

std::string GaugeModule::tooltip() const {
    for (const MOUSERECT* rect : mouse_rects_) {
        if (rect->rect_type == MOUSE_RECT_USER && rect->target.tooltip_text != nullptr) {
            return rect->target.tooltip_text;
        }
    }
    return {};
}

} // namespace host
