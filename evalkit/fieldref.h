#pragma once
// One field of a program's register file, found by its name in the chip's field table, read and
// written as the code it holds: a shared window names the field it sets and learns its place in
// the word from the table, so the same window serves chips whose fields sit at other bits.
#include "link/registerfile.h"

#include <optional>
#include <string_view>

namespace evalkit {

class ProgramContext;

class FieldRef {
public:
    FieldRef(reglink::RegisterFile& file, std::string_view name);
    // A field a window sets: whenever a store changes it, the program's read-outs show the
    // words the fields now make (the changed one marked until it is written), whichever
    // handler stored it and whether or not the handler refreshes after.
    FieldRef(ProgramContext& app, std::string_view name);

    // Whether the chip has the field (a description naming a field the chip lacks is a fault
    // in the program; such a reference reads 0 and ignores writes).
    bool valid() const { return index_.has_value(); }
    double stored() const;
    // Stores a pre-shifted value; one the field cannot hold is refused (false), by the rule
    // every register file keeps (reglink::RegisterFile::setField).
    bool store(double value);
    // 2^lowest bit: the stored value of code 1.
    double unit() const;
    // The code the field holds, when it holds a whole code within its bits.
    std::optional<int> code() const;
    // Stores code x unit; a code outside the field's bits is refused.
    bool setCode(int code);

private:
    reglink::RegisterFile& file_;
    std::optional<std::size_t> index_;
    ProgramContext* shownOn_ = nullptr;
};

} // namespace evalkit
