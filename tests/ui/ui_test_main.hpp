#pragma once
// Test classes register under the name of their file; the test binary runs one of them
// (the first argument) or all of them.

#include <QObject>

#include <functional>
#include <memory>

namespace ombrelune::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

struct UiTestRegistrar {
    UiTestRegistrar(const char* name, TestFactory factory);
};

} // namespace ombrelune::testing

#define OMBRELUNE_UI_TEST(Class, name)                                                             \
    static const ombrelune::testing::UiTestRegistrar registrar##Class(                             \
        name, [] { return std::make_unique<Class>(); })
