#pragma once
// What the register link needs of a chip: the transport's working values every program shares,
// and the chip's register field store behind one interface. The link never knows a field by
// name; each chip describes its fields as a table (name, register, bits, where the value
// lives), so shared code can check and bound them without knowing the chip, by one rule for
// every chip (fieldPattern).
#include <QString>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// Not `link`: POSIX declares a global function of that name, which a namespace cannot share.
namespace reglink {

// The transport's working values, shared by the refresh, the writes and the windows. A
// chip's working values derive from this, so the windows keep using one record. The records of
// what went out are written by the register link alone: callers hand it the register or the
// word to send and read the records afterwards. ReadbackValue is the exception the readback
// windows make: they convert the answer in place. The port addresses are set up by the start-up
// and the port window.
struct TransportValues {
    uint8_t RegisterSelect = 0;      // the register the last write was for (99: a raw word),
                                     // or the last one a high-and-low refresh showed
    double RegisterWord = 0;         // the word last formatted or shifted out
    QString RegisterHexHigh;         // high 16 bits of the last formatted or sent word
    QString RegisterHexLow;          // its low 16 bits, four digits
    uint32_t RawWord = 0;            // the word the last raw write (register 99) was for
    int32_t ReadbackValue = 0;       // the 16-bit result of the last readback
    int16_t ParallelPortAddress = 0; // data port of every parallel write
    int16_t PortformAddress = 0;     // the port the port window remembers
    int16_t ParallelDataBase = 0;    // added to every data-port byte; never changed
};

// One field of a register: where its bits are and which member of the chip's field record
// holds its pre-shifted value. bitCount 0 marks a field that has no bits in the word and is
// only ever 0 (kept because the register's sum names it).
struct FieldInfo {
    const char* name = "";
    int reg = 0;
    int lowBit = 0;
    int bitCount = 0;
    // Fields that share bits by design name the same group (non-zero); the overlap check
    // skips pairs within one group.
    int sharedGroup = 0;

    uint64_t mask() const {
        return bitCount == 0 ? 0 : (((uint64_t{1} << bitCount) - 1) << lowBit);
    }
};

// The one rule for a value stored into a field, the same for every chip: the value must be
// one the field's bits hold, that is a whole number, a multiple of 2^lowBit, with no bit outside
// mask(). A negative value stands for its 32-bit two's-complement pattern, so a field on bit 31
// takes that bit as 2^31 or as -2^31 alike; a field without bits (bitCount 0) holds only 0.
// The pattern the value puts into the word, or nullopt when the field cannot hold it.
inline std::optional<uint32_t> fieldPattern(const FieldInfo& info, double stored) {
    // NaN fails the range test too.
    if (!(stored >= -2147483648.0 && stored <= 4294967295.0) || stored != std::floor(stored))
        return std::nullopt;
    const auto bits = static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(stored)));
    if ((uint64_t{bits} & ~info.mask()) != 0)
        return std::nullopt;
    return bits;
}

// A field description bound to the member that stores it.
template <class Fields> struct FieldSpec {
    FieldInfo info;
    std::variant<int16_t Fields::*, int32_t Fields::*, double Fields::*> member;

    double get(const Fields& f) const {
        return std::visit([&](auto m) { return static_cast<double>(f.*m); }, member);
    }
    // Stores a value the field can hold (fieldPattern) and its member's type can too: a double
    // member holds the pattern itself (0 .. 2^32 - 1), an integer member the pattern as a
    // signed 32-bit value (bit 31 as -2^31), which a 16-bit member must hold within its range.
    // Anything else is refused: false, and the member keeps what it held.
    bool set(Fields& f, double stored) const {
        const std::optional<uint32_t> bits = fieldPattern(info, stored);
        if (!bits)
            return false;
        return std::visit(
            [&](auto m) {
                using T = std::remove_reference_t<decltype(f.*m)>;
                if constexpr (std::is_floating_point_v<T>) {
                    f.*m = static_cast<T>(*bits);
                    return true;
                } else {
                    const auto held = static_cast<int32_t>(*bits);
                    if constexpr (sizeof(T) < sizeof(int32_t)) {
                        if (held < std::numeric_limits<T>::min() ||
                            held > std::numeric_limits<T>::max())
                            return false;
                    }
                    f.*m = static_cast<T>(held);
                    return true;
                }
            },
            member);
    }
};

class RegisterFile {
public:
    virtual ~RegisterFile() = default;

    // Every field of every register, in the chip's own order.
    virtual std::span<const FieldInfo> fieldTable() const = 0;
    // A field's pre-shifted value by its index in fieldTable(); 0 past the end of the table.
    virtual double field(std::size_t index) const = 0;
    // Stores a pre-shifted value into the field at `index` when the field can hold it, by the
    // rule of fieldPattern and FieldSpec::set (the same for every chip). A value it cannot hold,
    // or an index past the end of the table, is refused: the result is false and every field
    // keeps what it held. Writers that keep their values inside the fields' bits never see a
    // refusal.
    virtual bool setField(std::size_t index, double stored) = 0;

    // The index of the field called `name` in fieldTable(), or nullopt.
    std::optional<std::size_t> fieldIndex(std::string_view name) const {
        const auto table = fieldTable();
        for (std::size_t i = 0; i < table.size(); ++i)
            if (name == table[i].name)
                return i;
        return std::nullopt;
    }

    // Every field gets its power-on value; fields without one are 0.
    virtual void setFieldDefaults() = 0;

    // The word of register n as the chip receives it, 0 .. 2^32 - 1, built from the fields
    // by the chip's own rule (which may clear always-zero fields first). A register the chip
    // has no word for gives its number alone, or 0 outside the chip's registers.
    virtual double word(int n) = 0;
    uint32_t wordBits(int n) { return static_cast<uint32_t>(word(n)); }

    // The receive/transmit rule that decides the power-down register's enables before its
    // word is built; chips without such a register leave it empty.
    virtual void applyPowerDownRule() {}

    // The readback selection a USB readback passes (the readback register's bits 4..8).
    virtual int16_t readbackSelection() const { return 0; }

    // Another register whose read-out must be marked with n's when n's text changes (a
    // register that finishes what n starts has to be sent again too), or nullopt.
    virtual std::optional<int> alsoMarkedWith(int /*n*/) const { return std::nullopt; }

    // The word last written to register n, for chips whose read-outs are marked against it.
    virtual std::optional<double> lastWritten(int /*n*/) const { return std::nullopt; }
    virtual void rememberWritten(int /*n*/, double /*word*/) {}
};

// The usual implementation of the field access over a FieldSpec table.
template <class Fields> class FieldTable {
public:
    template <std::size_t N> explicit FieldTable(const FieldSpec<Fields> (&specs)[N]) {
        specs_.assign(std::begin(specs), std::end(specs));
        for (const FieldSpec<Fields>& spec : specs_)
            infos_.push_back(spec.info);
    }
    std::span<const FieldInfo> infos() const { return infos_; }
    double get(const Fields& f, std::size_t i) const {
        return i < specs_.size() ? specs_[i].get(f) : 0;
    }
    // RegisterFile::setField for the table's fields.
    bool set(Fields& f, std::size_t i, double stored) const {
        return i < specs_.size() && specs_[i].set(f, stored);
    }

private:
    std::vector<FieldSpec<Fields>> specs_;
    std::vector<FieldInfo> infos_;
};

// A chip's register file whose fields are the members of one struct, laid out by a FieldTable:
// the chip's store then writes only its power-on values and the rules of its words.
template <class Fields> class TabledRegisterFile : public RegisterFile {
public:
    Fields f;

    std::span<const FieldInfo> fieldTable() const final { return table_->infos(); }
    double field(std::size_t index) const final { return table_->get(f, index); }
    bool setField(std::size_t index, double stored) final { return table_->set(f, index, stored); }

protected:
    // `table` lives as long as the program (a chip's tables are static).
    explicit TabledRegisterFile(const FieldTable<Fields>& table) : table_(&table) {}

private:
    const FieldTable<Fields>* table_;
};

} // namespace reglink
