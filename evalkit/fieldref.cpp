#include "evalkit/fieldref.h"

#include "evalkit/programcontext.h"

#include <QtGlobal>
#include <cmath>

namespace evalkit {

FieldRef::FieldRef(reglink::RegisterFile& file, std::string_view name)
    : file_(file), index_(file.fieldIndex(name)) {
    Q_ASSERT_X(index_.has_value(), "FieldRef", "the chip has no field of that name");
}

FieldRef::FieldRef(ProgramContext& app, std::string_view name)
    : FieldRef(app.link().registers(), name) {
    shownOn_ = &app;
}

double FieldRef::stored() const {
    return index_ ? file_.field(*index_) : 0;
}

bool FieldRef::store(double value) {
    if (!index_)
        return false;
    const double before = stored();
    if (!file_.setField(*index_, value))
        return false;
    if (shownOn_ && stored() != before)
        shownOn_->UpdateAllRegisterLabels();
    return true;
}

double FieldRef::unit() const {
    return index_ ? std::ldexp(1.0, file_.fieldTable()[*index_].lowBit) : 1;
}

std::optional<int> FieldRef::code() const {
    if (!index_)
        return std::nullopt;
    const reglink::FieldInfo& info = file_.fieldTable()[*index_];
    const double c = stored() / unit();
    if (c != std::floor(c) || c < 0 || c >= std::ldexp(1.0, info.bitCount))
        return std::nullopt;
    return static_cast<int>(c);
}

bool FieldRef::setCode(int code) {
    if (!index_)
        return false;
    const reglink::FieldInfo& info = file_.fieldTable()[*index_];
    if (code < 0 || code >= (1 << info.bitCount))
        return false;
    return store(code * unit());
}

} // namespace evalkit
