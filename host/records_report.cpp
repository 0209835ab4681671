#include "records_report.h"

#include <cstdio>
#include <iomanip>

namespace host {

using nlohmann::ordered_json;

namespace {

ordered_json point_json(const PIXPOINT& point) {
    return ordered_json::array({point.x, point.y});
}

ordered_json var_json(const MODULE_VAR& var) {
    return var.token;
}

ordered_json calibration_json(const ELEMENT_NEEDLE& needle) {
    ordered_json rows = ordered_json::array();
    for (std::uint32_t i = 0; i < needle.NONLINEARITY_COUNT; ++i) {
        const NONLINEARITY& row = needle.NONLINEARITY_TABLE[i];
        rows.push_back({{"value", row.value}, {"point", point_json(row.point)}});
    }
    return rows;
}

ordered_json bitmap_json(std::int32_t id, const ModuleResources& resources) {
    ordered_json bitmap = {{"id", hex(static_cast<std::uint32_t>(id))}};
    if (const Bitmap* picture = resources.bitmap(id)) {
        bitmap["size"] = ordered_json::array({picture->width, picture->height});
    } else {
        bitmap["size"] = nullptr;
    }
    return bitmap;
}

ordered_json parameters_json(const ELEMENT_HEADER* element) {
    switch (element->element_type) {
    case ELEMENT_TYPE_NEEDLE: {
        const auto* needle = reinterpret_cast<const ELEMENT_NEEDLE*>(element);
        return {{"SOURCE_VAR", var_json(needle->SOURCE_VAR)},
                {"TURNING_RATE_LIMIT", needle->TURNING_RATE_LIMIT},
                {"NONLINEARITY_TABLE", calibration_json(*needle)}};
    }
    case ELEMENT_TYPE_STRING: {
        const auto* text = reinterpret_cast<const ELEMENT_STRING*>(element);
        return {{"SOURCE_VAR_1", var_json(text->SOURCE_VAR_1)},
                {"SOURCE_VAR_2", var_json(text->SOURCE_VAR_2)},
                {"SOURCE_VAR_3", var_json(text->SOURCE_VAR_3)},
                {"SIZE_X", text->SIZE_X},
                {"SIZE_Y", text->SIZE_Y},
                {"FORECOLOR", hex(text->FORECOLOR, 8)},
                {"BACKCOLOR", hex(text->BACKCOLOR, 8)},
                {"HILITECOLOR", hex(text->HILITECOLOR, 8)},
                {"FONT_NAME", std::string(text->FONT_NAME)},
                {"FONT_WEIGHT", text->FONT_WEIGHT},
                {"FONT_CHARSET", text->FONT_CHARSET},
                {"DRAW_TEXT_FLAGS", hex(text->DRAW_TEXT_FLAGS)}};
    }
    case ELEMENT_TYPE_SLIDER: {
        const auto* slider = reinterpret_cast<const ELEMENT_SLIDER*>(element);
        return {{"SOURCE_VAR_X", var_json(slider->SOURCE_VAR_X)},
                {"SCALE_X", slider->SCALE_X},
                {"SOURCE_VAR_Y", var_json(slider->SOURCE_VAR_Y)},
                {"SCALE_Y", slider->SCALE_Y}};
    }
    case ELEMENT_TYPE_ICON: {
        const auto* icon = reinterpret_cast<const ELEMENT_ICON*>(element);
        return {{"SOURCE_VAR", var_json(icon->SOURCE_VAR)},
                {"SWITCH_TYPE", icon->SWITCH_TYPE},
                {"NUM_ICONS", icon->NUM_ICONS}};
    }
    case ELEMENT_TYPE_MOVING_IMAGE: {
        const auto* moving = reinterpret_cast<const ELEMENT_MOVING_IMAGE*>(element);
        return {{"SOURCE_VAR_X", var_json(moving->SOURCE_VAR_X)},
                {"MIN_X", moving->MIN_X},
                {"MAX_X", moving->MAX_X},
                {"SOURCE_VAR_Y", var_json(moving->SOURCE_VAR_Y)},
                {"MIN_Y", moving->MIN_Y},
                {"MAX_Y", moving->MAX_Y}};
    }
    case ELEMENT_TYPE_SPRITE: {
        const auto* sprite = reinterpret_cast<const ELEMENT_SPRITE*>(element);
        return {{"SOURCE_VAR_X", var_json(sprite->SOURCE_VAR_X)},
                {"SCALE_X", sprite->SCALE_X},
                {"SOURCE_VAR_Y", var_json(sprite->SOURCE_VAR_Y)},
                {"SCALE_Y", sprite->SCALE_Y},
                {"SOURCE_VAR_0", var_json(sprite->SOURCE_VAR_0)},
                {"SCALE_0", sprite->SCALE_0},
                {"TEXTURE_SCALE_X", sprite->TEXTURE_SCALE_X},
                {"TEXTURE_SCALE_Y", sprite->TEXTURE_SCALE_Y}};
    }
    default:
        return ordered_json::object();
    }
}

// Bitmaps an element draws from: its own, and the mask or further pictures of its kind.
ordered_json element_bitmaps(const ELEMENT_HEADER* element, const ModuleResources& resources) {
    ordered_json bitmaps = ordered_json::object();
    const std::int32_t id = element->resource_id;
    switch (element->element_type) {
    case ELEMENT_TYPE_STRING:
        break;
    case ELEMENT_TYPE_MOVING_IMAGE:
    case ELEMENT_TYPE_SPRITE:
        bitmaps["picture"] = bitmap_json(id, resources);
        bitmaps["mask"] = bitmap_json(id + 1, resources);
        break;
    case ELEMENT_TYPE_ICON: {
        ordered_json pictures = ordered_json::array();
        const auto* icon = reinterpret_cast<const ELEMENT_ICON*>(element);
        for (std::int32_t n = 0; n < icon->NUM_ICONS && n < 64; ++n) {
            pictures.push_back(bitmap_json(id + n, resources));
        }
        bitmaps["pictures"] = pictures;
        break;
    }
    default:
        bitmaps["picture"] = bitmap_json(id, resources);
        break;
    }
    return bitmaps;
}

const char* rect_kind_name(std::int32_t kind) {
    switch (kind) {
    case MOUSE_RECT_EOL:
        return "end of list";
    case MOUSE_RECT_PARENT:
        return "parent";
    case MOUSE_RECT_CHILD:
        return "child";
    case MOUSE_RECT_END_PARENT:
        return "end of parent";
    case MOUSE_RECT_USER:
        return "tooltip";
    default:
        return "unknown";
    }
}

} // namespace

std::string hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

ordered_json records_json(const GaugeModule& module, const ModuleResources& resources) {
    const MODULE_LINKAGE* linkage = module.linkage();
    const GAUGEHDR* gauge = module.gauge();
    ordered_json elements = ordered_json::array();
    for (std::size_t i = 0; i < module.elements().size(); ++i) {
        const ElementNode& node = module.elements()[i];
        const ELEMENT_HEADER* element = node.element;
        elements.push_back({
            {"index", i + 1},
            {"parent", node.parent < 0 ? ordered_json() : ordered_json(node.parent + 1)},
            {"kind", element_kind_name(element->element_type)},
            {"resource_id", element->resource_id < 0 ? ordered_json(element->resource_id)
                                                     : ordered_json(hex(static_cast<std::uint32_t>(
                                                           element->resource_id)))},
            {"position", point_json(element->position)},
            {"ofs", point_json(element->ofs)},
            {"image_flags", hex(module.stored_flags()[i])},
            {"bitmaps", element_bitmaps(element, resources)},
            {"parameters", parameters_json(element)},
        });
    }
    ordered_json rects = ordered_json::array();
    for (const MOUSERECT* rect : module.mouse_rects()) {
        ordered_json entry = {
            {"kind", rect_kind_name(rect->rect_type)},
            {"box",
             ordered_json::array({rect->box.x, rect->box.y, rect->box.width, rect->box.height})},
            {"cursor", rect->cursor},
            {"help_id", rect->help_id},
            {"mouse_flags", hex(rect->mouse_flags, 8)},
            {"event_id", rect->event_id},
        };
        if (rect->rect_type == MOUSE_RECT_USER && rect->target.tooltip_text != nullptr) {
            entry["tooltip"] = rect->target.tooltip_text;
        }
        rects.push_back(entry);
    }
    ordered_json bitmaps = ordered_json::array();
    for (std::int32_t id : resources.bitmap_ids()) {
        bitmaps.push_back(bitmap_json(id, resources));
    }
    return {
        {"file", module.path().string()},
        {"linkage",
         {{"module_id", hex(linkage->module_id)},
          {"flags", linkage->flags},
          {"priority", linkage->priority},
          {"module_version", hex(linkage->module_version)}}},
        {"import_table", {{"id", hex(module.import_table()->panels.id)}}},
        {"header",
         {{"header_version", gauge->header_version},
          {"gauge_name", gauge->gauge_name},
          {"size_mm", gauge->size_mm}}},
        {"elements", elements},
        {"mouse_rects", rects},
        {"tooltip", module.tooltip()},
        {"bitmaps", bitmaps},
    };
}

void print_records_table(std::ostream& out, const ordered_json& records) {
    const ordered_json& header = records["header"];
    out << "gauge " << header["gauge_name"].get<std::string>() << "  (header version "
        << header["header_version"] << ", " << header["size_mm"] << " mm)\n";
    out << "file  " << records["file"].get<std::string>() << "\n\n";
    out << "elements, root first:\n";
    out << "  #  parent  kind                  bitmap   position    ofs         flags\n";
    for (const ordered_json& element : records["elements"]) {
        const auto pair = [](const ordered_json& p) {
            return "(" + std::to_string(p[0].get<int>()) + ", " + std::to_string(p[1].get<int>()) +
                   ")";
        };
        out << "  " << std::setw(2) << element["index"].get<int>() << "  " << std::setw(6)
            << (element["parent"].is_null() ? std::string("-") : element["parent"].dump()) << "  "
            << std::left << std::setw(22) << element["kind"].get<std::string>() << std::setw(9)
            << (element["resource_id"].is_string() ? element["resource_id"].get<std::string>()
                                                   : element["resource_id"].dump())
            << std::setw(12) << pair(element["position"]) << std::setw(12) << pair(element["ofs"])
            << element["image_flags"].get<std::string>() << std::right << "\n";
        for (const auto& [key, value] : element["parameters"].items()) {
            if (key == "NONLINEARITY_TABLE") {
                out << "        " << key << " (" << value.size() << " rows):";
                for (const ordered_json& row : value) {
                    out << " " << row["value"].dump() << "@" << pair(row["point"]);
                }
                out << "\n";
            } else {
                out << "        " << key << " = " << value.dump() << "\n";
            }
        }
    }
    out << "\nmouse rectangles:\n";
    for (const ordered_json& rect : records["mouse_rects"]) {
        const ordered_json& box = rect["box"];
        out << "  " << std::left << std::setw(14) << rect["kind"].get<std::string>() << std::right
            << " box " << box.dump() << " cursor " << rect["cursor"] << " flags "
            << rect["mouse_flags"].get<std::string>();
        if (rect.contains("tooltip")) {
            out << " \"" << rect["tooltip"].get<std::string>() << "\"";
        }
        out << "\n";
    }
    out << "\nbitmaps:\n";
    for (const ordered_json& bitmap : records["bitmaps"]) {
        out << "  " << bitmap["id"].get<std::string>() << "  " << bitmap["size"][0] << " x "
            << bitmap["size"][1] << "\n";
    }
}

} // namespace host
