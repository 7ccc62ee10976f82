#pragma once
// What the register link needs of a chip: the transport scratch values every program shares,
// and the chip's register field store behind one interface. The link never knows a field by
// name; each chip describes its fields as a table (name, register, bits, where the value
// lives), so shared code can check and bound them without knowing the chip.
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

// Not `link`: POSIX declares a global function of that name, which a namespace cannot share.
namespace reglink {

// The scratch values of the transport, shared by the refresh, the write and the raw windows.
// A chip's working values derive from this, so the windows keep using one record.
struct TransportValues {
    uint8_t RegisterSelect = 0;      // register that WriteRegister writes next; 99: a raw word
    double RegisterWord = 0;         // the word being formatted or shifted out
    QString RegisterHexHigh;         // high 16 bits of the last formatted or sent word
    QString RegisterHexLow;          // its low 16 bits, four digits
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

// A field description bound to the member that stores it.
template <class Fields> struct FieldSpec {
    FieldInfo info;
    std::variant<int16_t Fields::*, int32_t Fields::*, double Fields::*> member;

    double get(const Fields& f) const {
        return std::visit([&](auto m) { return static_cast<double>(f.*m); }, member);
    }
    // Integer members take the value's low bits (a signed 32-bit field on bit 31 holds
    // -2^31); the callers bound the value by the field's bits first.
    void set(Fields& f, double stored) const {
        std::visit(
            [&](auto m) {
                using T = std::remove_reference_t<decltype(f.*m)>;
                if constexpr (std::is_floating_point_v<T>) {
                    f.*m = stored;
                } else {
                    const bool fits = stored > -9.2e18 && stored < 9.2e18;
                    f.*m = static_cast<T>(fits ? static_cast<int64_t>(stored) : 0);
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
    // A field's pre-shifted value, and storing one, by its index in fieldTable().
    virtual double field(std::size_t index) const = 0;
    virtual void setField(std::size_t index, double stored) = 0;

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

    // The whole word a raw write (register 99) sends, or nullopt when there is none that fits
    // 32 bits; each chip keeps it where its windows put it.
    virtual std::optional<uint32_t> rawWord() const { return std::nullopt; }

    // Another register whose read-out must be marked with n's when n's text changes (a
    // register that finishes what n starts has to be sent again too), or nullopt.
    virtual std::optional<int> alsoMarkedWith(int /*n*/) const { return std::nullopt; }

    // The word last written to register n, for chips whose read-outs are marked against it.
    virtual std::optional<double> lastWritten(int /*n*/) const { return std::nullopt; }
    virtual void rememberWritten(int /*n*/, double /*word*/) {}
};

// The usual implementation of the field access over a FieldSpec table.
template <class Fields, std::size_t N> class FieldTable {
public:
    explicit FieldTable(const FieldSpec<Fields> (&specs)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            specs_[i] = specs[i];
            infos_[i] = specs[i].info;
        }
    }
    std::span<const FieldInfo> infos() const { return infos_; }
    double get(const Fields& f, std::size_t i) const { return i < N ? specs_[i].get(f) : 0; }
    void set(Fields& f, std::size_t i, double stored) const {
        if (i < N)
            specs_[i].set(f, stored);
    }

private:
    FieldSpec<Fields> specs_[N]{};
    FieldInfo infos_[N]{};
};

} // namespace reglink
