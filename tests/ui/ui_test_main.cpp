#include "ui_test_main.hpp"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace ombrelune::testing {
namespace {

std::map<std::string, TestFactory>& registry() {
    static std::map<std::string, TestFactory> tests;
    return tests;
}

} // namespace

UiTestRegistrar::UiTestRegistrar(const char* name, TestFactory factory) {
    registry().emplace(name, std::move(factory));
}

} // namespace ombrelune::testing

int main(int argc, char** argv) {
    // Without a display the tests still run.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ombrelune tests"));

    auto& tests = ombrelune::testing::registry();
    std::vector<char*> rest{argv[0]};
    std::string only;
    if (argc > 1 && tests.count(argv[1])) only = argv[1];
    for (int k = only.empty() ? 1 : 2; k < argc; ++k) rest.push_back(argv[k]);

    int failures = 0;
    for (const auto& [name, make] : tests) {
        if (!only.empty() && name != only) continue;
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), static_cast<int>(rest.size()), rest.data());
    }
    if (failures) std::fprintf(stderr, "%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
