#pragma once
// Whether a field value fits the bits the chip's field table gives the field, by the rule every
// register file stores by (reglink::fieldPattern): a whole number within the field's bits once
// shifted (a signed field on bit 31 holds -2^31 as its 32-bit pattern), and 0 for a field that
// has no bits in any word.
#include "fuzz/fuzzcheck.h"
#include "link/registerfile.h"

#include <cstdio>
#include <optional>

namespace fuzzcheck {

inline bool fitsField(const reglink::FieldInfo& info, double stored) {
    return reglink::fieldPattern(info, stored).has_value();
}

// Every field of the store inside its bits; names the first that is not.
inline void checkEveryField(const reglink::RegisterFile& store) {
    const auto table = store.fieldTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const double v = store.field(i);
        if (!fitsField(table[i], v)) {
            std::fprintf(stderr, "field %s holds %.17g, outside its %d bits from bit %d\n",
                         table[i].name, v, table[i].bitCount, table[i].lowBit);
            FUZZ_CHECK(fitsField(table[i], v));
        }
    }
}

// The value a planning function gives for the field called `name` fits that field.
template <class T>
void checkFieldValue(const reglink::RegisterFile& store, const char* name,
                     const std::optional<T>& value) {
    const std::optional<std::size_t> index = store.fieldIndex(name);
    if (!index) {
        std::fprintf(stderr, "the field table has no field %s\n", name);
        FUZZ_CHECK(index.has_value());
    }
    if (value && !fitsField(store.fieldTable()[*index], double(*value))) {
        std::fprintf(stderr, "%s = %.17g does not fit the field\n", name, double(*value));
        FUZZ_CHECK(false);
    }
}

template <class T> void checkFieldValue(const reglink::RegisterFile& store, const char* name, T v) {
    checkFieldValue(store, name, std::optional<T>(v));
}

} // namespace fuzzcheck
