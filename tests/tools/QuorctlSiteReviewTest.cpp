// What a team relies on in quorctl site, on the in-memory LAN: a controller
// changed between plan and write is not written, a saved plan is written
// exactly or refused, every apply keeps a journal that a rollback puts back,
// and a plan against backups is the plan against the site.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/tools/SiteOnLan.h"

namespace quor::tools {
namespace {

using test::ReadFile;
using testing::HasSubstr;

// K01_01101's train number and the lockers' first test locker.
constexpr char DoorAndLockers[] = "quorctl-site: 1\n"
                                  "controllers:\n"
                                  "  K01_01101:\n"
                                  "    Przejścia:\n"
                                  "      Nr pociągu: 13\n"
                                  "  K04_01401:\n"
                                  "    Szafki:\n"
                                  "      Test od szafki nr: 2\n";

constexpr char RoomName[] = "quorctl-site: 1\n"
                            "controllers:\n"
                            "  K04_01401:\n"
                            "    Szafki:\n"
                            "      Nazwa pomieszczenia: Szatnia damska\n";

class SiteReview : public SiteOnLan {
protected:
    using Blocks = std::map<std::pair<uint8_t, uint8_t>, sim::Bytes>;

    // The lockers' blocks once another PC has written the room name, the
    // controller left as it was.
    Blocks RoomNamedElsewhere()
    {
        const Blocks before = Emu("K04_01401").Blocks;
        EXPECT_EQ(Apply({Write("other.yaml", RoomName)}).Status, 0);
        const Blocks after = Emu("K04_01401").Blocks;
        Emu("K04_01401").Blocks = before;
        TakeWrites();
        return after;
    }
};

// Two people, two files: while the first apply writes K01_01101, the second
// writes K04_01401's room name. The first apply then finds K04_01401 changed
// since its plan and leaves it, rather than putting the old name back.
TEST_F(SiteReview, AControllerChangedSincePlanningIsNotWritten)
{
    const Blocks named = RoomNamedElsewhere();
    Emu("K01_01101").AfterWrite = [this, &named](uint8_t, uint8_t) { Emu("K04_01401").Blocks = named; };
    const Outcome run = Apply({Write("site.yaml", DoorAndLockers)});
    EXPECT_EQ(run.Status, 2);
    EXPECT_THAT(run.Err, testing::StartsWith("K04_01401 changed since it was planned; plan again\n"
                                             "K04_01401: written none; not written 3/0\n"
                                             "quorctl: apply stopped at K04_01401; written: K01_01101; "
                                             "failed: K04_01401; not reached: none;"));
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 1}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 0}}));
    EXPECT_EQ(Emu("K04_01401").Blocks, named);
}

// plan --out saves what was reviewed; show prints it as plan did; apply
// writes exactly it. A plan is refused once a controller or the site file
// changed since.
TEST_F(SiteReview, ASavedPlanIsWrittenExactlyOrRefused)
{
    const std::string file = Write("site.yaml", DoorAndLockers);
    const std::string saved = File("plan.json");
    const Outcome planned = Quorctl({"site", "plan", file, "--out", saved});
    EXPECT_EQ(planned.Status, 1) << planned.Err;
    const std::string plan = "K01_01101: Przejścia / Nr pociągu: 12 -> 13\n"
                             "K04_01401: Szafki / Test od szafki nr: 1 -> 2\n"
                             "K01_01101: writes 16/0\n"
                             "K04_01401: writes 3/0\n"
                             "2 controllers to change, 2 fields; 0 unchanged\n";
    EXPECT_EQ(planned.Out, plan);
    const Outcome shown = Quorctl({"site", "show", saved});
    EXPECT_EQ(shown.Status, 1) << shown.Err;
    EXPECT_EQ(shown.Out, plan);
    // The plan finds its site file beside it, wherever the two are taken.
    fs::create_directories(Folder / "moved");
    fs::copy_file(file, Folder / "moved" / "site.yaml");
    fs::copy_file(saved, Folder / "moved" / "plan.json");
    EXPECT_EQ(Quorctl({"site", "show", File("moved/plan.json")}).Out, plan);

    const std::string second = File("second.json");
    ASSERT_EQ(Quorctl({"site", "plan", file, "--out", second}).Status, 1);
    const Outcome applied = Apply({saved});
    EXPECT_EQ(applied.Status, 0) << applied.Err;
    EXPECT_EQ(applied.Out, JournalLine() + plan +
                               "K01_01101: written and read back\n"
                               "K04_01401: written and read back\n");
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 1}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 1}}));

    // The second plan was made before the first was written.
    const Outcome stale = Apply({second});
    EXPECT_EQ(stale.Status, 2);
    EXPECT_THAT(stale.Err, testing::StartsWith("K01_01101 changed since it was planned; plan again\n"));
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 0}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 0}}));

    ASSERT_EQ(Quorctl({"site", "plan", file, "--out", second}).Status, 0);
    Write("site.yaml", std::string(DoorAndLockers) + "# reviewed\n");
    const Outcome edited = Apply({second});
    EXPECT_EQ(edited.Status, 2);
    EXPECT_EQ(edited.Err, "quorctl: " + file + " has changed since " + second +
                              " was planned from it; plan again; nothing written\n");
}

// Every apply that writes keeps a journal; rollback writes its backups back,
// and refuses a controller someone changed since.
TEST_F(SiteReview, AJournalRollsBackWhatItsRunWrote)
{
    const std::string original = File("original.yaml");
    ASSERT_EQ(Quorctl({"site", "export", original}).Status, 0);
    const Outcome applied = Apply({Write("site.yaml", DoorAndLockers)});
    ASSERT_EQ(applied.Status, 0) << applied.Err;
    const std::string journal = Journal(Applies);
    EXPECT_EQ(FilesIn(journal),
              (std::set<std::string>{"journal.jsonl", "plan.json", "K01_01101.json", "K04_01401.json"}));
    const std::string lines = ReadFile(journal + "/journal.jsonl");
    for (const char* event : {R"({"event":"plan")", R"({"event":"backup","controller":"K01_01101")",
                              R"({"event":"written","controller":"K01_01101","block":"16/0")",
                              R"({"event":"read-back","controller":"K04_01401","block":"3/0")",
                              R"({"event":"done","controller":"K04_01401"})", R"({"event":"outcome")"})
        EXPECT_THAT(lines, HasSubstr(event));
    TakeWrites();

    const Outcome back = Quorctl({"site", "rollback", journal});
    EXPECT_EQ(back.Status, 0) << back.Err;
    EXPECT_EQ(back.Out, "K01_01101: rolled back\nK04_01401: rolled back\n");
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 1}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 1}}));
    const Outcome again = Quorctl({"site", "plan", original});
    EXPECT_EQ(again.Out, "0 controllers to change, 0 fields; 4 unchanged\n");

    ASSERT_EQ(Apply({File("site.yaml")}).Status, 0);
    const std::string second = Journal(Applies);
    ASSERT_EQ(Apply({Write("other.yaml", RoomName)}).Status, 0);
    TakeWrites();
    const Outcome refused = Quorctl({"site", "rollback", second});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, "K01_01101: rolled back\n");
    EXPECT_EQ(refused.Err, "quorctl: K04_01401 changed since the run; not rolled back\n");
    EXPECT_EQ(TakeWrites(), (std::map<std::string, size_t>{
                                {"K01_01101", 1}, {"K02_01201", 0}, {"K03_01301", 0}, {"K04_01401", 0}}));
}

// For scripts: the outcome of an apply as JSON.
TEST_F(SiteReview, TheOutcomeForScripts)
{
    const Outcome run = Apply({Write("site.yaml", DoorAndLockers), "--format", "json"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "{\n  \"journal\": \"" + Journal(Applies) +
                           "\",\n"
                           "  \"written\": [\n    \"K01_01101\",\n    \"K04_01401\"\n  ],\n"
                           "  \"failed\": null,\n  \"not_reached\": [],\n  \"signal\": null\n}\n");
}

// The backups backup --all wrote plan as the controllers themselves, with no network.
TEST_F(SiteReview, ACheckAgainstBackupsIsThePlanAgainstTheSite)
{
    const std::string backups = File("backups");
    fs::create_directories(backups);
    ASSERT_EQ(Quorctl({"backup", "--all", backups}).Status, 0);
    const std::string file = Write("site.yaml", DoorAndLockers);
    const Outcome live = Quorctl({"site", "plan", file});
    const Outcome check = Quorctl({"site", "check", file, "--backups", backups});
    EXPECT_EQ(check.Status, 1) << check.Err;
    EXPECT_EQ(check.Out, live.Out);
    EXPECT_EQ(Quorctl({"site", "check", file, "--backups", backups, "--format", "json"}).Out,
              Quorctl({"site", "plan", file, "--format", "json"}).Out);

    const Outcome alone = Quorctl({"site", "check", file});
    EXPECT_EQ(alone.Status, 0) << alone.Err;
    EXPECT_EQ(alone.Out, file + ": 2 controllers, no problem in the file itself\n");
    fs::remove(backups + "/K04_01401.json");
    const Outcome missing = Quorctl({"site", "check", file, "--backups", backups});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Err,
              file + ":6:3: no backup of K04_01401 in " + backups + "\nquorctl: 1 problem in " + file + "\n");
}

// A session an interrupted run left behind is named for what it most likely is.
TEST_F(SiteReview, AForeignSessionIsExplained)
{
    Emu("K04_01401").HoldForeignSession(0);
    const Outcome run = Quorctl({"site", "plan", Write("site.yaml", DoorAndLockers)});
    EXPECT_EQ(run.Status, 2);
    EXPECT_THAT(run.Err, HasSubstr(":6:3: K04_01401 holds another program's session (Błąd nr 4), most likely "
                                   "that of an interrupted quorctl run or of quorConfig on another PC; it "
                                   "lapses within about 30 s of that program's last request\n"));
}

}  // namespace
}  // namespace quor::tools
