#pragma once
// quorctl on the in-memory LAN with the controllers of sim/scenarios/site.json,
// and a folder of its own for the files of one test.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sim/Scenario.h"
#include "tests/support/EmuNamed.h"
#include "tests/support/FileText.h"
#include "tests/support/QuorctlRun.h"
#include "tools/quorctl/Commands.h"

namespace quor::tools {

namespace fs = std::filesystem;
using test::Outcome;

class SiteOnLan : public testing::Test {
protected:
    SiteOnLan()
    {
        Scenario = sim::LoadScenario(std::string(QUOR_SCENARIO_DIR) + "/site.json");
        sim::AttachAll(Scenario, Lan);
        Folder =
            fs::temp_directory_path() /
            ("quorctl-site-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Folder);
        fs::create_directories(Folder);
        // Journals of applies that name no folder go here, not into the home folder.
        setenv("XDG_STATE_HOME", (Folder / "state").c_str(), 1);
    }
    ~SiteOnLan() override { fs::remove_all(Folder); }

    Outcome Quorctl(const std::vector<std::string>& args) { return test::RunQuorctlOn(Lan, args); }
    // site apply with a journal folder of its own, which Journal() names.
    Outcome Apply(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"site", "apply"});
        args.insert(args.end(), {"--journal", Journal(++Applies)});
        return Quorctl(args);
    }
    std::string Journal(int apply) const { return File("journal" + std::to_string(apply)); }
    std::string JournalLine() const { return "journal: " + Journal(Applies) + "\n"; }
    std::string File(const std::string& name) const { return (Folder / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(File(name), std::ios::binary) << text;
        return File(name);
    }
    sim::EmuController& Emu(const std::string& name) { return test::EmuNamed(Scenario, name); }
    // The block writes of every controller, by name, and none left behind.
    std::map<std::string, size_t> TakeWrites()
    {
        std::map<std::string, size_t> writes;
        for (const char* name : {"K01_01101", "K02_01201", "K03_01301", "K04_01401"}) {
            writes[name] = Emu(name).Writes.size();
            Emu(name).Writes.clear();
        }
        return writes;
    }
    std::set<std::string> FilesIn(const fs::path& folder) const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    sim::VirtualLan Lan;
    sim::Scenario Scenario;
    fs::path Folder;
    int Applies = 0;
};

}  // namespace quor::tools
