// The faces the stand-in host draws text with, found through fontconfig under the host's own
// font configuration.
#pragma once

#include "cairo_handles.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>

typedef struct _FcConfig FcConfig;

namespace host {

// One face as fontconfig resolved it, ready for cairo.
struct FontFace {
    cairo_font_face_t* face = nullptr;
    std::string family;
    std::string style;
    std::filesystem::path file;
    // Ascent and descent of the face's lines, per pixel of font size.
    double ascent = 0.0;
    double descent = 0.0;
};

class FontLibrary {
  public:
    // Loads the font configuration `config_file` and the fonts it names. Throws
    // std::runtime_error naming the file when it cannot.
    explicit FontLibrary(const std::filesystem::path& config_file);
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // The face for a Windows face name and weight (100 to 900, 400 regular, 0 meaning
    // regular). Throws std::runtime_error when fontconfig offers no face at all.
    const FontFace& face(const std::string& name, int weight);

    // The font options every text is drawn with: grey anti-aliasing, no hinting, so that
    // shapes and advances depend on the font file alone and scale exactly.
    const cairo_font_options_t* options() const { return options_.get(); }

  private:
    FontFace resolve(const std::string& name, int weight) const;

    FcConfig* config_;
    FontOptionsHandle options_;
    std::map<std::pair<std::string, int>, FontFace> faces_;
};

// The host's font configuration: fonts/fonts.conf beside the program (where the build puts
// it), else in the source tree the program was built from. Throws std::runtime_error naming
// the places looked in when neither exists.
std::filesystem::path find_font_config();

} // namespace host
