// The host refuses a module file it cannot use, naming the file and the fault.
#include "errors.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

struct BadModuleCase {
    const char* name;
    const char* path;
    const char* fault; // part of the message
};

const BadModuleCase bad_modules[] = {
    {"missing file", "no/such/module.so", "cannot load the module"},
    {"not a module", NOT_A_MODULE, "cannot load the module"},
    {"no Linkage", BAD_MODULE_NO_LINKAGE, "does not export Linkage"},
    {"no ImportTable", BAD_MODULE_NO_IMPORT_TABLE, "does not export ImportTable"},
    {"no gauge header", BAD_MODULE_NO_HEADER, "lists no gauge header"},
    {"chain without end", BAD_MODULE_ENDLESS_CHAIN, "element chain does not end"},
    {"mouse list without end", BAD_MODULE_NO_MOUSE_END, "no end record"},
    {"record outside the image", BAD_MODULE_OUTSIDE_IMAGE, "failure list lies outside"},
};

TEST(Loader, RefusesBadModulesWithAMessageNamingFileAndFault) {
    for (const BadModuleCase& test : bad_modules) {
        host::HostServices services;
        try {
            host::GaugeModule module(test.path, services);
            ADD_FAILURE() << test.name << ": loaded";
        } catch (const host::LoadError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(std::filesystem::path(test.path).filename().string()),
                      std::string::npos)
                << test.name << ": " << message;
            EXPECT_NE(message.find(test.fault), std::string::npos) << test.name << ": " << message;
        }
    }
}

TEST(Loader, InstallsTheServiceTableAndWithdrawsNamesLeftPublishedAtUnload) {
    host::HostServices services;
    {
        host::GaugeModule module(SKELETON_FIXTURE, services);
        EXPECT_EQ(module.import_table()->panels.services, services.table());
        host::GaugeInstance instance(module, services);
        instance.install();
        EXPECT_EQ(services.named_variables().size(), 2u);
    } // unloaded without a kill
    EXPECT_TRUE(services.named_variables().empty());
}

} // namespace
