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

#include "tests/tools/SiteOnLan.h"

namespace quor::tools {
namespace {

using test::Outcome;
using test::ReadFile;
using testing::HasSubstr;

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
        Quorctl({"site", "export", file, "--only", "K03_01301", "K02_01201", "K09_00001", "10.45.1.13"});
    EXPECT_EQ(exported.Status, 1);
    EXPECT_EQ(
        exported.Err,
        "quorctl: left out: K02_01201 is in mode Blokada, which keeps its configuration closed (Serwis or "
        "Instalacja is needed)\n"
        "quorctl: left out: K09_00001: no device of this name or address answered the search\n");
    const std::string text = ReadFile(file);
    EXPECT_THAT(text, HasSubstr("controllers:\n  K03_01301:\n    Winda:\n"));
    // Stated once, though named twice.
    EXPECT_EQ(text.find("\n  K03_01301:\n", text.find("\n  K03_01301:\n") + 1), std::string::npos);
    EXPECT_EQ(text.find("K02_01201"), std::string::npos);
}

// A committed site file survives an export that reads nothing, and one of
// a single controller changes that controller's text alone.
TEST_F(SiteOnLan, AnExportNeverLosesTheFile)
{
    const std::string file = File("site.yaml");
    ASSERT_EQ(Quorctl({"site", "export", file}).Status, 0);
    const std::string committed = "# Budynek B\n" + ReadFile(file);
    Write("site.yaml", committed);
    const Outcome none = Quorctl({"site", "export", file, "--only", "K09_00001"});
    EXPECT_EQ(none.Status, 2);
    EXPECT_EQ(none.Err,
              "quorctl: left out: K09_00001: no device of this name or address answered the search\n"
              "quorctl: no controller was read; " +
                  file + " is left as it was\n");
    EXPECT_EQ(ReadFile(file), committed);

    const std::string change =
        Write("change.yaml", "quorctl-site: 1\ncontrollers:\n  K04_01401:\n    Szafki:\n"
                             "      Test od szafki nr: 7\n");
    ASSERT_EQ(Quorctl({"site", "apply", change}).Status, 0);
    const Outcome one = Quorctl({"site", "export", file, "--only", "K04_01401"});
    EXPECT_EQ(one.Status, 0) << one.Err;
    std::string expected = committed;
    const size_t at = expected.find("      Test od szafki nr: 1\n");
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, 27, "      Test od szafki nr: 7\n");
    EXPECT_EQ(ReadFile(file), expected);
}

// Problems that need no plan of a field: the file itself, the controllers named.
TEST_F(SiteOnLan, ProblemsOfTheFileAndItsControllersWriteNothing)
{
    Emu("K02_01201").Mode = 0;  // Blokada
    const struct {
        const char* text;
        const char* err;
        const char* out;
    } cases[] = {
        {"quorctl-site: 1\ncontrollers:\n  K03_01301: [\n",
         "FILE:4:1: not YAML: end of sequence flow not found\n"
         "quorctl: 1 problem in FILE; nothing written\n",
         ""},
        {"quorctl-site: 1\n"
         "controllers:\n"
         "  K03_01301:\n"
         "    Winda:\n"
         "      Czas odblokowania przycisków: 3 s\n"
         "  K09_00001:\n"
         "    Winda:\n"
         "      Czas odblokowania przycisków: 3 s\n"
         "  10.45.1.11:\n"
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
         "FILE:9:3: a site file names each controller by its device name, not its address; K01_01101 "
         "answers at 10.45.1.11\n"
         "FILE:12:3: T01_05001 is not a controller\n"
         "FILE:15:3: K02_01201 is in mode Blokada, which does not allow writing (Serwis or Instalacja is "
         "needed)\n"
         "FILE:21:5: K04_01401 is a lockers controller; Winda is on the sheet of a lift controller\n"
         "quorctl: 6 problems in FILE; nothing written\n",
         // One bad controller does not hide the plan of the others.
         "K03_01301: Winda / Czas odblokowania przycisków: 5 s -> 3 s\n"
         "K03_01301: writes 2/0\n"
         "1 controller to change, 1 field; 0 unchanged\n"},
    };
    for (const auto& c : cases) {
        const std::string file = Write("site.yaml", c.text);
        std::vector<std::string> args = {"site", "apply", file};
        if (std::string(c.text).find("K09_00001") != std::string::npos)
            args.insert(args.end(), {"--only", "K03_01301", "K09_00001", "10.45.1.11", "T01_05001",
                                     "K02_01201", "K04_01401", "K01_01101"});
        const Outcome run = Quorctl(args);
        EXPECT_EQ(run.Status, 2);
        std::string err = c.err;
        for (size_t at = err.find("FILE"); at != std::string::npos; at = err.find("FILE", at))
            err.replace(at, 4, file);
        EXPECT_EQ(run.Err, err);
        EXPECT_EQ(run.Out, c.out);
        EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                    {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 0}}));
    }
}

// Problems of the fields, each beside valid edits of other controllers: nothing
// is written on any of them.
TEST_F(SiteOnLan, ProblemsOfTheFieldsWriteNothingAnywhere)
{
    const std::string valid = "  K03_01301:\n"
                              "    Winda:\n"
                              "      Czas odblokowania przycisków: 2,5 s\n"
                              "  K04_01401:\n"
                              "    Szafki:\n"
                              "      Nazwa pomieszczenia: Szatnia damska\n";
    const struct {
        const char* fields;  // of K01_01101, after the valid controllers
        const char* err;
    } cases[] = {
        {"    Przejście 2:\n"
         "      Wyjścia:\n"
         "        Rygiel: K01_01101:Out1\n",
         "FILE:12:17: K01_01101: Przejście 2 / Wyjścia / Rygiel: K01_01101:Out1 is used by Przejście 1 / "
         "Wyjścia / Rygiel; the selector offers only what no other slot uses\n"},
        {"    Przejście 1:\n"
         "      Wyjścia:\n"
         "        Zamek: K01_01101:Out2\n",
         "FILE:12:9: K01_01101: Przejście 1 / Wyjścia / Zamek: no such field; Przejście 1 / Wyjścia holds "
         "Rygiel, Przypomnienie, Alarm, CCTV\n"},
        {"    Przejście 1:\n"
         "      Wyjścia:\n"
         "        Rygiel: K09_00001:Out1\n",
         "FILE:12:17: K01_01101: Przejście 1 / Wyjścia / Rygiel: no device K09_00001 in the bus-device table "
         "of "
         "K01_01101\n"},
    };
    for (const auto& c : cases) {
        const std::string file =
            Write("site.yaml", "quorctl-site: 1\ncontrollers:\n" + valid + "  K01_01101:\n" + c.fields);
        for (const char* command : {"plan", "apply"}) {
            const Outcome run = Quorctl({"site", command, file});
            EXPECT_EQ(run.Status, 2) << command;
            std::string err = std::string(c.err) + "quorctl: 1 problem in FILE" +
                              (command == std::string("apply") ? "; nothing written\n" : "\n");
            for (size_t at = err.find("FILE"); at != std::string::npos; at = err.find("FILE", at))
                err.replace(at, 4, file);
            EXPECT_EQ(run.Err, err) << command;
            EXPECT_EQ(run.Out, "K03_01301: Winda / Czas odblokowania przycisków: 5 s -> 2,5 s\n"
                               "K04_01401: Szafki / Nazwa pomieszczenia: Szatnia męska -> Szatnia damska\n"
                               "K03_01301: writes 2/0\n"
                               "K04_01401: writes 3/0\n"
                               "2 controllers to change, 2 fields; 0 unchanged\n")
                << command;
        }
        EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                    {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 0}}));
    }
}

TEST_F(SiteOnLan, AFileThatCannotBeReadOrWritten)
{
    const Outcome plan = Quorctl({"site", "plan", File("none.yaml")});
    EXPECT_EQ(plan.Status, 2);
    EXPECT_EQ(plan.Err, "quorctl: cannot read " + File("none.yaml") + ": No such file or directory\n");
    const Outcome folder = Quorctl({"site", "apply", File("")});
    EXPECT_EQ(folder.Status, 2);
    EXPECT_EQ(folder.Err, "quorctl: cannot read " + File("") + ": Is a directory\n");
    const Outcome exported = Quorctl({"site", "export", File("none/site.yaml")});
    EXPECT_EQ(exported.Status, 2);
    EXPECT_EQ(exported.Err,
              "quorctl: cannot write " + File("none/site.yaml") + ": No such file or directory\n");
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

// For each kind: a file of edits plans exactly them; apply writes the blocks
// of the controller whose bytes change, reads them back, and a second apply
// writes nothing.
TEST_F(SiteOnLan, AnEditedFilePlansAndAppliesExactlyItsEdits)
{
    const struct {
        const char* name;
        const char* file;
        const char* plan;
        const char* exported;  // a part of the export after the apply
        size_t blocks;
    } cases[] = {
        {"K01_01101",
         "    Przejście 1:\n"
         "      Wyjścia:\n"
         "        Rygiel: K01_01101:Out2\n"
         "        Alarm: -----\n",
         "K01_01101: Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> K01_01101:Out2\n"
         "K01_01101: Przejście 1 / Wyjścia / Alarm: P01_40101:Out5 NC -> -----\n",
         "    Przejście 1:\n      Wyjścia:\n        Rygiel: K01_01101:Out2\n        Przypomnienie: -----\n"
         "        Alarm: -----\n",
         1},
        {"K03_01301",
         "    Winda:\n"
         "      Wybór piętra: D01_60101:In2\n"
         "      Czas odblokowania przycisków: 2,5 s\n",
         "K03_01301: Winda / Wybór piętra: D01_60101:In1 NC -> D01_60101:In2\n"
         "K03_01301: Winda / Czas odblokowania przycisków: 5 s -> 2,5 s\n",
         "      Wybór piętra: D01_60101:In2\n", 1},
        {"K04_01401",
         "    Szafki:\n"
         "      Moduł F:\n"
         "        Do: 250\n"
         "      Nazwa pomieszczenia: Szatnia damska\n",
         "K04_01401: Szafki / Nazwa pomieszczenia: Szatnia męska -> Szatnia damska\n"
         "K04_01401: Szafki / Moduł F / Do: 256 -> 250\n",
         "      Moduł F:\n        Moduł: D02_14016\n        Od: 241\n        Do: 250\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file =
            Write("site.yaml", "quorctl-site: 1\ncontrollers:\n  " + std::string(c.name) + ":\n" + c.file);
        const std::string plan = std::string(c.plan) + c.name + ": writes " +
                                 (c.name[2] == '1'   ? "1/0"
                                  : c.name[2] == '3' ? "2/0"
                                                     : "3/0") +
                                 "\n1 controller to change, 2 fields; 0 unchanged\n";
        const Outcome planned = Quorctl({"site", "plan", file});
        EXPECT_EQ(planned.Status, 1) << planned.Err;
        EXPECT_EQ(planned.Out, plan);
        const Outcome dry = Quorctl({"site", "apply", file, "--dry-run"});
        EXPECT_EQ(dry.Status, 1) << dry.Err;
        EXPECT_EQ(dry.Out, plan + "dry run: nothing written\n");
        std::map<std::string, size_t> none = {
            {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 0}};
        EXPECT_EQ(TakeWrites(), none);

        const Outcome applied = Apply({file});
        EXPECT_EQ(applied.Status, 0) << applied.Err;
        EXPECT_EQ(applied.Out, JournalLine() + plan + c.name + ": written and read back\n");
        std::map<std::string, size_t> written = none;
        written[c.name] = c.blocks;
        EXPECT_EQ(TakeWrites(), written);
        const std::string exported = File("export.yaml");
        ASSERT_EQ(Quorctl({"site", "export", exported, "--only", c.name}).Status, 0);
        EXPECT_THAT(ReadFile(exported), HasSubstr(c.exported));

        const Outcome again = Apply({file});
        EXPECT_EQ(again.Status, 0) << again.Err;
        EXPECT_EQ(again.Out, "0 controllers to change, 0 fields; 1 unchanged\n");
        EXPECT_FALSE(fs::exists(Journal(Applies))) << "no write, no journal";
        EXPECT_EQ(TakeWrites(), none);
    }
}

TEST_F(SiteOnLan, PlanForScripts)
{
    const std::string file = Write("site.yaml", "quorctl-site: 1\n"
                                                "controllers:\n"
                                                "  K03_01301:\n"
                                                "    Winda:\n"
                                                "      Czas odblokowania przycisków: 2,5 s\n"
                                                "  K04_01401:\n"
                                                "    Szafki:\n"
                                                "      Test od szafki nr: 1\n");
    const Outcome run = Quorctl({"site", "plan", file, "--format", "json"});
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_EQ(run.Out, R"({
  "controllers": [
    {
      "name": "K03_01301",
      "fingerprint": "003e9cb6c84fcdb7",
      "blocks": [
        "2/0"
      ],
      "changes": [
        {
          "section": "Winda",
          "group": "",
          "label": "Czas odblokowania przycisków",
          "from": "5 s",
          "to": "2,5 s"
        }
      ]
    },
    {
      "name": "K04_01401",
      "fingerprint": "eae4355709111584",
      "blocks": [],
      "changes": []
    }
  ],
  "problems": [],
  "to_change": 1,
  "fields": 1,
  "unchanged": 1
}
)");
    // A problem: the same object with it, the problem also on stderr.
    const std::string bad = Write("bad.yaml", "quorctl-site: 1\ncontrollers:\n  K09_00001:\n    Winda: {}\n");
    const Outcome refused = Quorctl({"site", "plan", bad, "--format", "json"});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, R"({
  "controllers": [],
  "problems": [
    {
      "line": 3,
      "column": 3,
      "text": "no controller K09_00001 answered the search"
    }
  ],
  "to_change": 0,
  "fields": 0,
  "unchanged": 0
}
)");
    EXPECT_EQ(refused.Err,
              bad + ":3:3: no controller K09_00001 answered the search\nquorctl: 1 problem in " + bad + "\n");
}

// One edit of the lift and one of the lockers.
constexpr char LiftAndLockers[] = "quorctl-site: 1\n"
                                  "controllers:\n"
                                  "  K03_01301:\n"
                                  "    Winda:\n"
                                  "      Czas odblokowania przycisków: 2,5 s\n"
                                  "  K04_01401:\n"
                                  "    Szafki:\n"
                                  "      Test od szafki nr: 2\n";

TEST_F(SiteOnLan, OnlyTheControllersNamed)
{
    const std::string file = Write("site.yaml", LiftAndLockers);
    for (const auto& selection : {std::vector<std::string>{"--only", "K04_01401"},
                                  std::vector<std::string>{"--exclude", "K03_01301"}}) {
        std::vector<std::string> args = {"site", "plan", file};
        args.insert(args.end(), selection.begin(), selection.end());
        const Outcome run = Quorctl(args);
        EXPECT_EQ(run.Status, 1) << run.Err;
        EXPECT_EQ(run.Out, "K04_01401: Szafki / Test od szafki nr: 1 -> 2\n"
                           "K04_01401: writes 3/0\n"
                           "1 controller to change, 1 field; 0 unchanged\n");
    }
    const Outcome run = Apply({file, "--only", "K04_01401"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, JournalLine() + "K04_01401: Szafki / Test od szafki nr: 1 -> 2\n"
                                       "K04_01401: writes 3/0\n"
                                       "1 controller to change, 1 field; 0 unchanged\n"
                                       "K04_01401: written and read back\n");
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 1}}));
    const Outcome unknown = Quorctl({"site", "plan", file, "--exclude", "K09_00001"});
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_THAT(unknown.Err, HasSubstr(file + ": --exclude K09_00001: the file names no such controller\n"));
}

// A controller that acknowledges its write but does not keep it: the read-back
// names what it holds, and the run stops there.
TEST_F(SiteOnLan, AWriteNotKeptStopsTheRun)
{
    const std::string file = Write("site.yaml", LiftAndLockers);
    sim::EmuController& lift = Emu("K03_01301");
    const auto stored = lift.Blocks;
    lift.AfterWrite = [&lift, &stored](uint8_t, uint8_t) { lift.Blocks = stored; };
    const Outcome run = Apply({file});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "K03_01301 read back does not hold what the file says (held -> file):\n"
                       "  K03_01301: Winda / Czas odblokowania przycisków: 5 s -> 2,5 s\n"
                       "K03_01301: written 2/0; not written none\n"
                       "quorctl: apply stopped at K03_01301; written: none; failed: K03_01301; "
                       "not reached: K04_01401; nothing is rolled back: quorctl site rollback " +
                           Journal(1) + " puts back what this run wrote\n");
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 1}, {"K04_01401", 0}}));
}

// A controller that stops answering during its write: the run stops there,
// names the blocks written and not; run again once it answers, it converges.
TEST_F(SiteOnLan, AFailureHalfWayNamesWhatWasWrittenAndARunAgainConverges)
{
    const std::string file = Write("site.yaml", "quorctl-site: 1\n"
                                                "controllers:\n"
                                                "  K03_01301:\n"
                                                "    Winda:\n"
                                                "      Czas odblokowania przycisków: 2,5 s\n"
                                                "  K01_01101:\n"
                                                "    Przejścia:\n"
                                                "      Nr pociągu: 13\n"
                                                "    Przejście 3:\n"
                                                "      Typ przejścia: Normalne\n"
                                                "  K04_01401:\n"
                                                "    Szafki:\n"
                                                "      Test od szafki nr: 2\n");
    // The common block is acknowledged; door 3's block then gets no answer.
    Emu("K01_01101").Inject(sim::Fault::DropReply, 'c', -1, 1);
    const Outcome failed = Apply({file});
    EXPECT_EQ(failed.Status, 2);
    EXPECT_EQ(failed.Out, JournalLine() + "K03_01301: Winda / Czas odblokowania przycisków: 5 s -> 2,5 s\n"
                                          "K01_01101: Przejścia / Nr pociągu: 12 -> 13\n"
                                          "K01_01101: Przejście 3 / Typ przejścia: Bistabilne -> Normalne\n"
                                          "K04_01401: Szafki / Test od szafki nr: 1 -> 2\n"
                                          "K03_01301: writes 2/0\n"
                                          "K01_01101: writes 16/0, 1/2\n"
                                          "K04_01401: writes 3/0\n"
                                          "3 controllers to change, 4 fields; 0 unchanged\n"
                                          "K03_01301: written and read back\n");
    EXPECT_EQ(failed.Err, "K01_01101, tryb: Serwis.\n\nBłąd nr 9 (r.'c'): Brak odpowiedzi na rozkaz.\n"
                          "K01_01101: written 16/0; not written 1/2\n"
                          "quorctl: apply stopped at K01_01101; written: K03_01301; failed: K01_01101; "
                          "not reached: K04_01401; nothing is rolled back: quorctl site rollback " +
                              Journal(1) + " puts back what this run wrote\n");
    std::map<std::string, size_t> writes = TakeWrites();
    EXPECT_EQ(writes["K03_01301"], 1u);
    EXPECT_EQ(writes["K04_01401"], 0u);

    // The controller took door 3's block, only its acknowledgement was lost.
    Emu("K01_01101").ClearFaults();
    const Outcome again = Apply({file});
    EXPECT_EQ(again.Status, 0) << again.Err;
    EXPECT_EQ(again.Out, JournalLine() + "K04_01401: Szafki / Test od szafki nr: 1 -> 2\n"
                                         "K04_01401: writes 3/0\n"
                                         "1 controller to change, 1 field; 2 unchanged\n"
                                         "K04_01401: written and read back\n");
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 1}}));
}

}  // namespace
}  // namespace quor::tools
