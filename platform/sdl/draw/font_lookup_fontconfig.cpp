#include "platform/sdl/draw/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace vex {

namespace {

using PatternHandle = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

bool has_family(FcPattern& font, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(&font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<FontFile> find_font(const std::string& family, bool bold) {
    const PatternHandle wanted(FcPatternCreate(), &FcPatternDestroy);
    const int weight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
    FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(wanted.get(), FC_WEIGHT, weight);
    FcPatternAddInteger(wanted.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    const PatternHandle found(FcFontMatch(nullptr, wanted.get(), &result), &FcPatternDestroy);
    int found_weight = 0;
    FcChar8* file = nullptr;
    int index = 0;
    if (!found || !has_family(*found, family) ||
        FcPatternGetInteger(found.get(), FC_WEIGHT, 0, &found_weight) != FcResultMatch ||
        (found_weight >= FC_WEIGHT_BOLD) != bold ||
        FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch) {
        return std::nullopt;
    }
    FcPatternGetInteger(found.get(), FC_INDEX, 0, &index);
    return FontFile{reinterpret_cast<const char*>(file), index};
}

}  // namespace vex
