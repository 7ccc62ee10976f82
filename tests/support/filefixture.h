#pragma once
// A program started on its front panel, with a folder of its own for the files a test writes.
// Base is the program's fixture (an evaltest::ProgramFixture).
#include <QString>
#include <QTemporaryDir>

#include <type_traits>
#include <utility>

namespace evaltest {

template <class Base> struct FileFixture : Base {
    using MainWindow = std::remove_reference_t<decltype(std::declval<Base&>().start())>;

    QTemporaryDir dir;
    MainWindow* m = nullptr;

    void SetUp() override {
        Base::SetUp();
        m = &this->start();
        this->clearRecords();
    }

    QString temp(const QString& name) const { return dir.filePath(name); }
    QString temp(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

} // namespace evaltest
