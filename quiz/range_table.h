#pragma once

#include <cstdint>
#include <string_view>

// The 30 entries of the two range lists, decoded by position, never by
// parsing their texts.
namespace quiz {

struct OperandRange {
    std::int32_t lowest;
    std::int32_t highest;
    friend bool operator==(const OperandRange &, const OperandRange &) = default;
};

inline constexpr int rangeEntryCount = 30;
inline constexpr int positionNoLimit = 0;   // "不限定"
inline constexpr int positionZeroToTwenty = 26; // "0～20"

// Position 0 is 0..20, positions 1 to 21 the single number position - 1,
// 22 to 29 the spans. Any other position (only -1, no selection, can occur)
// follows the single-number rule, as the lists' old behaviour did.
OperandRange rangeAt(int position);

// The entry texts, in list order.
const char16_t *rangeEntryText(int position);

// The position of the entry whose text is `text` ("0～5", "7", "不限定"), or -1.
int rangePosition(std::u16string_view text);

} // namespace quiz
