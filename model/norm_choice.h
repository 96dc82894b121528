// Which norm sizes the insulation of a calculation type that has the choice
// (the heat-loss norm): the program's historical tables, the default, or the
// current norm СП 61.13330.2012 with its coefficients for the supports and
// the region. Each choice has one word for the command line and tables, a
// title as the window and the protocol say it, and a short Russian word that
// tables accept too.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "model/text_fold.h"

namespace kaldora {

enum class NormSet { Historical, Sp61 };
enum class Supports { Movable, Suspended, NonMetal, None };
enum class Region { Europe, Urals, WestSiberia, EastSiberia, FarEast, FarNorth };

struct NormChoice {
    NormSet set = NormSet::Historical;
    Supports supports = Supports::Movable;
    Region region = Region::Europe;

    bool operator==(const NormChoice&) const = default;
};

template <typename Choice>
struct ChoiceText {
    Choice value;
    std::string_view word;       // command line and English tables
    std::string_view title;      // window, protocol, report
    std::string_view shortWord;  // also accepted in tables
};

inline constexpr ChoiceText<NormSet> kNormSetTexts[] = {
    {NormSet::Historical, "historical", "Исторические нормы", "исторические"},
    {NormSet::Sp61, "sp61", "СП 61.13330.2012", "СП 61"},
};
inline constexpr ChoiceText<Supports> kSupportsTexts[] = {
    {Supports::Movable, "movable", "Стальной трубопровод, подвижные опоры", "подвижные"},
    {Supports::Suspended, "suspended", "Стальной трубопровод, подвесные опоры", "подвесные"},
    {Supports::NonMetal, "nonmetal", "Неметаллический трубопровод", "неметаллическая"},
    {Supports::None, "none", "Без учета дополнительных потерь", "без учета"},
};
inline constexpr ChoiceText<Region> kRegionTexts[] = {
    {Region::Europe, "europe", "Европейская часть России", "Европейская часть России"},
    {Region::Urals, "urals", "Урал", "Урал"},
    {Region::WestSiberia, "west-siberia", "Западная Сибирь", "Западная Сибирь"},
    {Region::EastSiberia, "east-siberia", "Восточная Сибирь", "Восточная Сибирь"},
    {Region::FarEast, "far-east", "Дальний Восток", "Дальний Восток"},
    {Region::FarNorth, "far-north", "Районы Крайнего Севера и приравненные к ним", "Крайний Север"},
};

// The supports as a sentence names them: "подвесные опоры", "неметаллический
// трубопровод".
constexpr std::string_view SupportsPhrase(Supports supports) {
    switch (supports) {
        case Supports::Movable: return "подвижные опоры";
        case Supports::Suspended: return "подвесные опоры";
        case Supports::NonMetal: return "неметаллический трубопровод";
        case Supports::None: return "без учета дополнительных потерь";
    }
    return {};
}

inline std::span<const ChoiceText<NormSet>> ChoiceTexts(NormSet) { return kNormSetTexts; }
inline std::span<const ChoiceText<Supports>> ChoiceTexts(Supports) { return kSupportsTexts; }
inline std::span<const ChoiceText<Region>> ChoiceTexts(Region) { return kRegionTexts; }

template <typename Choice>
const ChoiceText<Choice>& TextOf(Choice value) {
    for (const auto& text : ChoiceTexts(Choice{}))
        if (text.value == value) return text;
    return ChoiceTexts(Choice{}).front();  // not reached: every value has its text
}

// The choice a word names: its word, title or short word, in any letter case
// (Latin and Cyrillic); none for anything else.
template <typename Choice>
std::optional<Choice> ChoiceFromWord(std::string_view word) {
    for (const auto& text : ChoiceTexts(Choice{}))
        if (SameWords(word, text.word) || SameWords(word, text.title) || SameWords(word, text.shortWord))
            return text.value;
    return std::nullopt;
}

}  // namespace kaldora
