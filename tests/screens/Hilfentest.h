#pragma once
// Shared pieces of the brewing-aid screen tests.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Testanwendung.h"

#include <unistd.h>

namespace kw::test {

// The control of that object name on a screen; fails the test when missing.
template <class T = QWidget> T* element(QWidget& bildschirm, const char* name)
{
    T* w = bildschirm.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << "no control " << name << " on " << bildschirm.objectName().toStdString();
    return w;
}

inline std::string text(QWidget& bildschirm, const char* name)
{
    QLineEdit* f = element<QLineEdit>(bildschirm, name);
    return f ? f->text().toStdString() : std::string("<fehlt>");
}

// Types into a field key by key, as the user would.
inline void tippen(QWidget& bildschirm, const char* name, const char* eingabe)
{
    if (QLineEdit* f = element<QLineEdit>(bildschirm, name)) {
        f->setFocus();
        QTest::keyClicks(f, QString::fromUtf8(eingabe));
    }
}

inline void klicken(QWidget& bildschirm, const char* name)
{
    if (QAbstractButton* b = element<QAbstractButton>(bildschirm, name))
        QTest::mouseClick(b, Qt::LeftButton);
}

// A fresh folder for files a test writes; removed afterwards.
struct Tempordner {
    std::filesystem::path pfad;
    Tempordner()
    {
        static int nummer = 0;
        pfad = std::filesystem::temp_directory_path()
            / ("kw_hilfen_" + std::to_string(::getpid()) + "_" + std::to_string(++nummer));
        std::filesystem::remove_all(pfad);
        std::filesystem::create_directories(pfad);
    }
    ~Tempordner()
    {
        std::error_code ec;
        std::filesystem::remove_all(pfad, ec);
    }
};

} // namespace kw::test
