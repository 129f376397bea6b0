#pragma once

// The two choices of the control panel that the handlers act on, named
// instead of read as list positions.

// The operation list: "+(加法)" at position 0, "-(减法)" at position 1.
enum class Operation { Addition, Subtraction };

// The hint list: "无图案提示", then the three picture sets.
enum class HintKind { None, Set1, Set2, Set3 };

// One reading of a position: only position 1 is subtraction. Any other,
// including no selection at all (-1, which only the first list handler at
// start-up can meet), reads as addition, because the operator label then
// still shows the "+" the window starts with.
constexpr Operation operationAt(int position)
{
    return position == 1 ? Operation::Subtraction : Operation::Addition;
}

// Positions 1 to 3 name the picture sets; anything else shows no hints.
constexpr HintKind hintKindAt(int position)
{
    switch (position) {
    case 1: return HintKind::Set1;
    case 2: return HintKind::Set2;
    case 3: return HintKind::Set3;
    default: return HintKind::None;
    }
}

// The list positions of the choices.
constexpr int positionOf(Operation operation)
{
    return operation == Operation::Subtraction ? 1 : 0;
}

constexpr int positionOf(HintKind kind)
{
    return static_cast<int>(kind);
}

// The picture folder of a hint kind, img/1 to img/3; 0 for none.
constexpr int pictureSet(HintKind kind)
{
    return static_cast<int>(kind);
}
