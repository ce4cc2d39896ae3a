#pragma once
// A piece of a test in one of the C library's locales. The tests' locales are built into the build
// folder and found through LOCPATH (cmake/KaltorTests.cmake); ctest sets it, and a test program
// started by hand finds the folder too.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

class CLocaleScope {
public:
    // A locale that cannot be set fails the test, saying why.
    explicit CLocaleScope(const std::string& name) : before_(std::setlocale(LC_ALL, nullptr)) {
        if (!std::getenv("LOCPATH")) ::setenv("LOCPATH", KALTOR_TEST_LOCALE_DIR, 1);
        ok_ = std::setlocale(LC_ALL, name.c_str()) != nullptr;
        EXPECT_TRUE(ok_) << "the locale " << name << " is missing from " << std::getenv("LOCPATH")
                         << " (the build makes it: target kaltor_test_locales)";
    }
    ~CLocaleScope() { std::setlocale(LC_ALL, before_.c_str()); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

    bool Ok() const { return ok_; }
    // What printf makes of 0.5 here: "0,5" in a Russian or Ukrainian locale, which shows that the
    // locale really is in force.
    static std::string PrintfHalf() {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 0.5);
        return text;
    }

private:
    std::string before_;
    bool ok_ = false;
};

// The C library's locales Kaltor's users run, after the C locale.
inline const char* const kTestLocales[] = {"C", "ru_RU.UTF-8", "uk_UA.UTF-8"};
