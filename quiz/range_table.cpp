#include "range_table.h"

namespace quiz {
namespace {

struct Span {
    OperandRange range;
    const char16_t *text;
};

constexpr Span spans[] = {
    {{0, 2}, u"0～2"},   {{0, 5}, u"0～5"},    {{0, 10}, u"0～10"},   {{0, 15}, u"0～15"},
    {{0, 20}, u"0～20"}, {{5, 10}, u"5～10"}, {{10, 15}, u"10～15"}, {{15, 20}, u"15～20"},
};

constexpr const char16_t *singleTexts[] = {
    u"0",  u"1",  u"2",  u"3",  u"4",  u"5",  u"6",  u"7",  u"8",  u"9",  u"10",
    u"11", u"12", u"13", u"14", u"15", u"16", u"17", u"18", u"19", u"20",
};

constexpr int firstSpan = 22;

} // namespace

OperandRange rangeAt(int position)
{
    if (position == positionNoLimit)
        return {0, 20};
    if (position >= firstSpan && position < rangeEntryCount)
        return spans[position - firstSpan].range;
    return {position - 1, position - 1};
}

const char16_t *rangeEntryText(int position)
{
    if (position == positionNoLimit)
        return u"不限定";
    if (position >= firstSpan && position < rangeEntryCount)
        return spans[position - firstSpan].text;
    if (position >= 1 && position < firstSpan)
        return singleTexts[position - 1];
    return u"";
}

int rangePosition(std::u16string_view text)
{
    for (int position = 0; position < rangeEntryCount; ++position)
        if (text == rangeEntryText(position))
            return position;
    return -1;
}

} // namespace quiz
