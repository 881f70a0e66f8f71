// quorctl site export, plan and apply, and backup and report --all, on the
// in-memory LAN with the controllers of sim/scenarios/site.json: two door
// controllers (K01_01101 with a train number, K02_01201 with 8 doors), a lift
// (K03_01301), lockers (K04_01401) and a time recorder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "sim/Scenario.h"
#include "tools/quorctl/Commands.h"

namespace quor::tools {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

constexpr std::chrono::year_month_day Today{std::chrono::year{2021}, std::chrono::March, std::chrono::day{5}};

struct Outcome {
    int Status;
    std::string Out;
    std::string Err;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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
    }
    ~SiteOnLan() override { fs::remove_all(Folder); }

    Outcome Quorctl(const std::vector<std::string>& args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunQuorctl(ParseQuorctlOptions(args), Lan.AddPc(), out, err, Today);
        return {status, out.str(), err.str()};
    }
    std::string File(const std::string& name) const { return (Folder / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(File(name), std::ios::binary) << text;
        return File(name);
    }
    sim::EmuController& Emu(const std::string& name)
    {
        for (auto& device : Scenario.Devices)
            if (DevName(device->Id) == name)
                return dynamic_cast<sim::EmuController&>(*device);
        throw std::runtime_error("no " + name + " in the scenario");
    }
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
};

TEST_F(SiteOnLan, ExportThenPlanShowsNoChange)
{
    const std::string file = File("site.yaml");
    const Outcome exported = Quorctl({"site", "export", file});
    ASSERT_EQ(exported.Status, 0) << exported.Err;
    EXPECT_EQ(exported.Out, "");
    EXPECT_EQ(ReadFile(file), ReadFile(std::string(QUOR_SCENARIO_DIR) + "/site.yaml"));
    const Outcome plan = Quorctl({"site", "plan", file});
    EXPECT_EQ(plan.Status, 0) << plan.Err;
    EXPECT_EQ(plan.Out, "0 controllers to change, 0 fields; 4 unchanged\n");
    EXPECT_EQ(plan.Err, "");
}

TEST_F(SiteOnLan, AControllerThatCannotBeReadIsLeftOut)
{
    Emu("K02_01201").Mode = 0;  // Blokada
    const std::string file = File("site.yaml");
    const Outcome exported =
        Quorctl({"site", "export", file, "--only", "K03_01301", "K02_01201", "K09_00001"});
    EXPECT_EQ(exported.Status, 1);
    EXPECT_EQ(
        exported.Err,
        "quorctl: left out: K02_01201 is in mode Blokada, which keeps its configuration closed (Serwis or "
        "Instalacja is needed)\n"
        "quorctl: left out: K09_00001: no device of this name or address answered the search\n");
    const std::string text = ReadFile(file);
    EXPECT_THAT(text, HasSubstr("controllers:\n  K03_01301:\n    Winda:\n"));
    EXPECT_EQ(text.find("K02_01201"), std::string::npos);
}

// Problems that need no plan of a field: the file itself, the controllers named.
TEST_F(SiteOnLan, ProblemsOfTheFileAndItsControllersWriteNothing)
{
    Emu("K02_01201").Mode = 0;  // Blokada
    const struct {
        const char* text;
        const char* err;
    } cases[] = {
        {"quorctl-site: 1\ncontrollers:\n  K03_01301: [\n",
         "FILE:4:1: not YAML: end of sequence flow not found\n"
         "quorctl: 1 problem in FILE; nothing written\n"},
        {"quorctl-site: 1\n"
         "controllers:\n"
         "  K03_01301:\n"
         "    Winda:\n"
         "      Czas odblokowania przycisków: 3 s\n"
         "  K09_00001:\n"
         "    Winda:\n"
         "      Czas odblokowania przycisków: 3 s\n"
         "  T01_05001:\n"
         "    Winda:\n"
         "      Czas odblokowania przycisków: 3 s\n"
         "  K02_01201:\n"
         "    Przejście 1:\n"
         "      Typ przejścia: Otwarte\n"
         "  K04_01401:\n"
         "    Szafki:\n"
         "      Test od szafki nr: 2\n"
         "    Winda:\n"
         "      Czas odblokowania przycisków: 3 s\n",
         "FILE: --only K01_01101: the file names no such controller\n"
         "FILE:6:3: no controller K09_00001 answered the search\n"
         "FILE:9:3: T01_05001 is not a controller\n"
         "FILE:12:3: K02_01201 is in mode Blokada, which does not allow writing (Serwis or Instalacja is "
         "needed)\n"
         "FILE:18:5: K04_01401 is a lockers controller; Winda is on the sheet of a lift controller\n"
         "quorctl: 5 problems in FILE; nothing written\n"},
    };
    for (const auto& c : cases) {
        const std::string file = Write("site.yaml", c.text);
        std::vector<std::string> args = {"site", "apply", file};
        if (std::string(c.text).find("K09_00001") != std::string::npos)
            args.insert(args.end(), {"--only", "K03_01301", "K09_00001", "T01_05001", "K02_01201",
                                     "K04_01401", "K01_01101"});
        const Outcome run = Quorctl(args);
        EXPECT_EQ(run.Status, 2);
        std::string err = c.err;
        for (size_t at = err.find("FILE"); at != std::string::npos; at = err.find("FILE", at))
            err.replace(at, 4, file);
        EXPECT_EQ(run.Err, err);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                    {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 0}}));
    }
}

TEST_F(SiteOnLan, BackupAndReportOfEveryController)
{
    Emu("K02_01201").Mode = 0;  // Blokada: left out, the others go on
    const std::string backups = File("kopie");
    const std::string reports = File("raporty");
    fs::create_directories(backups);
    fs::create_directories(reports);
    const Outcome backup = Quorctl({"backup", "--all", backups});
    EXPECT_EQ(backup.Status, 1);
    EXPECT_EQ(backup.Out,
              backups + "/K01_01101.json\n" + backups + "/K03_01301.json\n" + backups + "/K04_01401.json\n");
    const char* blokada =
        "quorctl: left out: K02_01201 is in mode Blokada, which keeps its configuration closed (Serwis or "
        "Instalacja is needed)\n";
    EXPECT_EQ(backup.Err, blokada);
    EXPECT_EQ(FilesIn(backups),
              (std::set<std::string>{"K01_01101.json", "K03_01301.json", "K04_01401.json"}));

    const Outcome report = Quorctl({"report", "--all", reports, "--location", "Budynek B"});
    EXPECT_EQ(report.Status, 1);
    EXPECT_EQ(report.Err, blokada);
    EXPECT_EQ(FilesIn(reports), (std::set<std::string>{"2021-03-05 K01_01101.txt"}));
    EXPECT_THAT(ReadFile(reports + "/2021-03-05 K01_01101.txt"), HasSubstr("Budynek B"));

    Emu("K02_01201").Mode = 3;  // Instalacja
    const Outcome all = Quorctl({"report", "--all", reports});
    EXPECT_EQ(all.Status, 0) << all.Err;
    EXPECT_EQ(FilesIn(reports),
              (std::set<std::string>{"2021-03-05 K01_01101.txt", "2021-03-05 K02_01201.txt"}));

    const Outcome none = Quorctl({"backup", "--all", File("brak")});
    EXPECT_EQ(none.Status, 1);
    EXPECT_EQ(none.Err, "quorctl: no folder " + File("brak") + "\n");
}

}  // namespace
}  // namespace quor::tools
