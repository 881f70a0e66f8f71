// Planning site files against the emulated controllers of sim/scenarios on
// the in-memory LAN: export then plan changes nothing; edits plan exactly
// themselves; what the window would refuse is a problem with its place; and
// a seeded run of random edits, written and read back, exports as edited.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "sim/Scenario.h"
#include "site/ControllerRead.h"
#include "site/SiteFile.h"
#include "site/SitePlan.h"
#include "site/SlotNames.h"

namespace quor::site {
namespace {

class SitePlan : public testing::Test {
public:
    SitePlan()
    {
        Scenario = sim::LoadScenario(std::string(QUOR_SCENARIO_DIR) + "/site.json");
        sim::AttachAll(Scenario, Lan);
    }

    sim::EmuController& Emu(const std::string& name)
    {
        for (auto& device : Scenario.Devices) {
            if (DevName(device->Id) == name)
                return dynamic_cast<sim::EmuController&>(*device);
        }
        throw std::runtime_error("no " + name + " in the scenario");
    }
    UdpDev Dev(const std::string& name)
    {
        for (size_t i = 0; i < Scenario.Devices.size(); ++i) {
            const auto& d = *Scenario.Devices[i];
            if (DevName(d.Id) == name)
                return UdpDev(Pc, d.Id, ParseIp(Scenario.Ips[i]), 2, d.Mode);
        }
        throw std::runtime_error("no " + name + " in the scenario");
    }
    // Reads the controller into c.
    void Load(const std::string& name, Controller& c)
    {
        UdpDev dev = Dev(name);
        LoadConfiguration(dev, c);
    }
    std::string Export(const std::string& name)
    {
        Controller c;
        Load(name, c);
        const ExportedController e[] = {{name, SheetFields(c, Emu(name).Id)}};
        return SiteFileText(e);
    }

    sim::VirtualLan Lan;
    sim::Scenario Scenario;
    sim::LanEndpoint& Pc = Lan.AddPc();
};

// The plan of one controller for a file whose controllers: map holds body
// (indented under the controller): "path: from -> to" for each change, then
// each problem as ProblemLine names it.
std::vector<std::string> PlanLines(SitePlan& t, const std::string& name, const std::string& body)
{
    const std::string text = "quorctl-site: 1\ncontrollers:\n  " + name + ":\n" + body;
    std::vector<SiteProblem> problems;
    const SiteFile file = ReadSiteFile(text, problems);
    EXPECT_TRUE(problems.empty()) << text;
    EXPECT_EQ(file.Controllers.size(), 1u);
    Controller c;
    t.Load(name, c);
    const ControllerPlan plan = PlanController(file.Controllers.at(0), c, t.Emu(name).Id);
    std::vector<std::string> lines;
    for (const FieldChange& f : plan.Changes)
        lines.push_back(PathText(f.Section, f.Group, f.Label) + ": " + f.From + " -> " + f.To);
    for (const SiteProblem& p : plan.Problems)
        lines.push_back(ProblemLine("site.yaml", p));
    return lines;
}

TEST_F(SitePlan, AnExportPlansNoChange)
{
    for (const char* name : {"K01_01101", "K02_01201", "K03_01301", "K04_01401"}) {
        SCOPED_TRACE(name);
        std::vector<SiteProblem> problems;
        const SiteFile file = ReadSiteFile(Export(name), problems);
        EXPECT_TRUE(problems.empty());
        ASSERT_EQ(file.Controllers.size(), 1u);
        Controller c;
        Load(name, c);
        const ControllerPlan plan = PlanController(file.Controllers[0], c, Emu(name).Id);
        EXPECT_TRUE(plan.Changes.empty());
        EXPECT_TRUE(plan.Problems.empty());
        EXPECT_GE(file.Controllers[0].Fields.size(), 8u);
    }
}

struct PlanCase {
    const char* Name;
    const char* Controller;
    const char* Body;
    std::vector<std::string> Lines;
};

class SitePlanCases : public SitePlan, public testing::WithParamInterface<PlanCase> {};

TEST_P(SitePlanCases, PlanExactly)
{
    EXPECT_EQ(PlanLines(*this, GetParam().Controller, GetParam().Body), GetParam().Lines);
}

const PlanCase Edits[] = {
    {"DoorFields",
     "K01_01101",
     "    Przejścia:\n"
     "      Nr pociągu: 345\n"
     "    Przejście 1:\n"
     "      Wyjścia:\n"
     "        Rygiel: K01_01101:Out2\n"  // another output of the same device keeps the sensor
     "        CCTV: K01_01101:Out4 NC\n"
     "      Czytniki:\n"
     "        1: R05_20101:Rd1 Wyjście\n"
     "        2: -----\n"
     "      Impuls otwarcia rygla: 2,5 s\n"
     "      Dozw. czas otwarcia: 10\n"  // as typed, and as held: no change
     "      Typ przejścia: Zablokowane\n"
     "      Śluzy: -----\n"
     "      Pełny impuls rygla: tak\n",
     {
         "Przejścia / Nr pociągu: 12 -> 345",
         "Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> K01_01101:Out2",
         "Przejście 1 / Wyjścia / CCTV: ----- -> K01_01101:Out4 NC",
         "Przejście 1 / Czytniki / 1: R05_20101:Rd1 -> R05_20101:Rd1 Wyjście",
         "Przejście 1 / Czytniki / 2: R05_20102:Rd1 Wyjście -> -----",
         "Przejście 1 / Śluzy: Śluza 1 -> -----",
         "Przejście 1 / Typ przejścia: Normalne -> Zablokowane",
         "Przejście 1 / Impuls otwarcia rygla: 3 s -> 2,5 s",
         "Przejście 1 / Pełny impuls rygla: nie -> tak",
     }},
    {"TheBoltToAnotherDeviceReleasesTheSensor",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia:\n"
     "        Rygiel: P01_40101:Out7 NC\n",
     {
         "Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> P01_40101:Out7 NC",
         "Przejście 1 / Wejścia / Czujnik otwarcia: K01_01101:In1 NC -> -----",
     }},
    {"TwoDoorsSwapTheirBoltsAndSensors",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia: {Rygiel: Z01_30101:Out1}\n"
     "      Wejścia: {Czujnik otwarcia: Z01_30101:In1}\n"
     "    Przejście 2:\n"
     "      Wyjścia: {Rygiel: K01_01101:Out1}\n"
     "      Wejścia: {Czujnik otwarcia: K01_01101:In1 NC}\n",
     {
         "Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> Z01_30101:Out1",
         "Przejście 1 / Wejścia / Czujnik otwarcia: K01_01101:In1 NC -> Z01_30101:In1",
         "Przejście 2 / Wyjścia / Rygiel: Z01_30101:Out1 -> K01_01101:Out1",
         "Przejście 2 / Wejścia / Czujnik otwarcia: Z01_30101:In1 -> K01_01101:In1 NC",
     }},
    {"DoorsShareAlarmAndCctvOutputs",
     "K01_01101",
     "    Przejście 3:\n"
     "      Wyjścia:\n"
     "        Alarm: P01_40101:Out5 NC\n"
     "    Przejście 1:\n"
     "      Wyjścia:\n"
     "        CCTV: P01_40101:Out6\n",
     {
         "Przejście 1 / Wyjścia / CCTV: ----- -> P01_40101:Out6",
         "Przejście 3 / Wyjścia / Alarm: ----- -> P01_40101:Out5 NC",
     }},
    {"LiftFields",
     "K03_01301",
     "    Winda:\n"
     "      Wybór piętra: D01_60101:In5\n"
     "      Sabotaż: K03_01301:In1 NC\n"
     "      Czytniki: {1: -----, 3: K03_01301:Rd1}\n"
     "      Czas odblokowania przycisków: 63,5 s\n",
     {
         "Winda / Wybór piętra: D01_60101:In1 NC -> D01_60101:In5",
         "Winda / Sabotaż: K03_01301:In1 -> K03_01301:In1 NC",
         "Winda / Czytniki / 1: K03_01301:Rd1 -> -----",
         "Winda / Czytniki / 3: ----- -> K03_01301:Rd1",
         "Winda / Czas odblokowania przycisków: 5 s -> 63,5 s",
     }},
    {"NoLiftModuleReleasesTheFloorInput",
     "K03_01301",
     "    Winda:\n"
     "      quor-L8: -----\n",
     {
         "Winda / quor-L8: D01_60101 -> -----",
         "Winda / Wybór piętra: D01_60101:In1 NC -> -----",
     }},
    {"LockersFields",
     "K04_01401",
     "    Szafki:\n"
     "      Nazwa pomieszczenia: Szatnia żeńska\n"
     "      Moduł 0: {Moduł: D02_14002, Od: 20}\n"  // 20 lies in row 1's range: "!" only
     "      Moduł 1: {Moduł: D02_14001}\n"
     "      Moduł F: {Moduł: -----, Od: -----, Do: \"\"}\n"
     "      Test od szafki nr: 0\n",
     {
         "Szafki / Nazwa pomieszczenia: Szatnia męska -> Szatnia żeńska",
         "Szafki / Moduł 0 / Moduł: D02_14001 -> D02_14002",
         "Szafki / Moduł 0 / Od: 1 -> 20",
         "Szafki / Moduł 1 / Moduł: D02_14002 -> D02_14001",
         "Szafki / Moduł F / Moduł: D02_14016 -> -----",
         "Szafki / Moduł F / Od: 241 -> -----",
         "Szafki / Moduł F / Do: 256 -> -----",
         "Szafki / Test od szafki nr: 1 -> 0",
     }},
};

INSTANTIATE_TEST_SUITE_P(Edits, SitePlanCases, testing::ValuesIn(Edits),
                         [](const auto& info) { return std::string(info.param.Name); });

const PlanCase Refused[] = {
    {"OneOutputToTwoBolts",
     "K01_01101",
     "    Przejście 2:\n"
     "      Wyjścia:\n"
     "        Rygiel: K01_01101:Out1\n",
     {
         "Przejście 2 / Wyjścia / Rygiel: Z01_30101:Out1 -> K01_01101:Out1",
         "Przejście 2 / Wejścia / Czujnik otwarcia: Z01_30101:In1 -> -----",
         "site.yaml:6:17: K01_01101: Przejście 2 / Wyjścia / Rygiel: K01_01101:Out1 is used by Przejście 1 / "
         "Wyjścia / Rygiel; the selector offers only what no other slot uses",
     }},
    {"TheSameFreeOutputToTwoSlots",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia: {Przypomnienie: P01_40101:Out8}\n"
     "    Przejście 2:\n"
     "      Wyjścia: {Przypomnienie: P01_40101:Out8}\n",
     {
         "Przejście 1 / Wyjścia / Przypomnienie: ----- -> P01_40101:Out8",
         "Przejście 2 / Wyjścia / Przypomnienie: ----- -> P01_40101:Out8",
         "site.yaml:5:32: K01_01101: Przejście 1 / Wyjścia / Przypomnienie: P01_40101:Out8 is used by "
         "Przejście 2 / Wyjścia / Przypomnienie; the selector offers only what no other slot uses",
         "site.yaml:7:32: K01_01101: Przejście 2 / Wyjścia / Przypomnienie: P01_40101:Out8 is used by "
         "Przejście 1 / Wyjścia / Przypomnienie; the selector offers only what no other slot uses",
     }},
    {"AnAlarmOutputIsNoCctvOutput",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia: {CCTV: P01_40101:Out5}\n",
     {
         "Przejście 1 / Wyjścia / CCTV: ----- -> P01_40101:Out5",
         "site.yaml:5:23: K01_01101: Przejście 1 / Wyjścia / CCTV: P01_40101:Out5 is used by Przejście 1 / "
         "Wyjścia / Alarm, Przejście 2 / Wyjścia / Alarm; the selector offers only what no other slot uses",
     }},
    {"DevicesAndResources",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia:\n"
     "        Rygiel: X01_99999:Out1\n"
     "        Przypomnienie: K01_01101:Out9\n"
     "        Alarm: K01_01101:In4\n"
     "        CCTV: K01_01101:Out1 NC\n"
     "      Wejścia:\n"
     "        Przycisk wyjścia: K01_01101:In2 Wyjście\n"
     "        Czujnik otwarcia: P01_40101:In4\n"
     "      Czytniki:\n"
     "        3: R05_20104:Rd1 NC\n"
     "        4: ----- Wyjście\n",
     {
         "Przejście 1 / Wejścia / Czujnik otwarcia: K01_01101:In1 NC -> P01_40101:In4",
         "site.yaml:6:17: K01_01101: Przejście 1 / Wyjścia / Rygiel: no device X01_99999 in the bus-device "
         "table of K01_01101",
         "site.yaml:7:24: K01_01101: Przejście 1 / Wyjścia / Przypomnienie: K01_01101 has no Out9; this "
         "field "
         "takes an output",
         "site.yaml:8:16: K01_01101: Przejście 1 / Wyjścia / Alarm: K01_01101:In4 is an input; this field "
         "takes an output",
         "site.yaml:9:15: K01_01101: Przejście 1 / Wyjścia / CCTV: K01_01101:Out1 is a relay output: it has "
         "no NC mark",
         "site.yaml:11:27: K01_01101: Przejście 1 / Wejścia / Przycisk wyjścia: \"Wyjście\" is no mark of "
         "this "
         "field; it takes NC",
         "site.yaml:12:27: K01_01101: Przejście 1 / Wejścia / Czujnik otwarcia: P01_40101:In4 is not "
         "offered: "
         "the door-open sensor is an input of the bolt's device",
         "site.yaml:14:12: K01_01101: Przejście 1 / Czytniki / 3: \"NC\" is no mark of this field; it takes "
         "Wyjście",
         "site.yaml:15:12: K01_01101: Przejście 1 / Czytniki / 4: Wyjście without a value",
     }},
    {"SectionsGroupsAndLabels",
     "K01_01101",
     "    Winda:\n"
     "      Sabotaż: -----\n"
     "    Przejście 4:\n"
     "      Typ przejścia: Normalne\n"
     "    Przejście 1:\n"
     "      Wyjscia: {Rygiel: -----}\n"
     "      Wyjścia: {Rygel: -----}\n"
     "      Rygiel: -----\n",
     {
         "site.yaml:4:5: K01_01101: Winda: no such section: K01_01101 is a door controller (Przejścia)",
         "site.yaml:6:5: K01_01101: Przejście 4: no such section: K01_01101 has 3 doors; the sections are "
         "Przejścia, Przejście 1, Przejście 2, Przejście 3",
         "site.yaml:9:7: K01_01101: Przejście 1 / Wyjscia: no such group; Przejście 1 holds Wyjścia, "
         "Wejścia, "
         "Czytniki, Śluzy, Typ przejścia, Impuls otwarcia rygla, Dozw. czas otwarcia, Otwieranie klamką, "
         "Pełny impuls rygla",
         "site.yaml:10:17: K01_01101: Przejście 1 / Wyjścia / Rygel: no such field; Przejście 1 / Wyjścia "
         "holds Rygiel, Przypomnienie, Alarm, CCTV",
         "site.yaml:11:7: K01_01101: Przejście 1 / Rygiel: no such field; Przejście 1 holds Wyjścia, "
         "Wejścia, "
         "Czytniki, Śluzy, Typ przejścia, Impuls otwarcia rygla, Dozw. czas otwarcia, Otwieranie klamką, "
         "Pełny impuls rygla",
     }},
    {"DoorValues",
     "K01_01101",
     "    Przejścia:\n"
     "      Nr pociągu: 12345\n"
     "    Przejście 2:\n"
     "      Impuls otwarcia rygla: 64 s\n"
     "      Dozw. czas otwarcia: 2,5 min\n"
     "      Otwieranie klamką: yes\n"
     "      Typ przejścia: Normal\n"
     "      Śluzy: Śluza 2\n",
     {
         "site.yaml:5:19: K01_01101: Przejścia / Nr pociągu: the train number is 0 to 9999, digits only, not "
         "\"12345\"",
         "site.yaml:7:30: K01_01101: Przejście 2 / Impuls otwarcia rygla: a time is 0 to 63,5 s in half "
         "seconds (\"2,5 s\"), not \"64 s\"",
         "site.yaml:8:28: K01_01101: Przejście 2 / Dozw. czas otwarcia: a time is 0 to 63,5 s in half "
         "seconds "
         "(\"2,5 s\"), not \"2,5 min\"",
         "site.yaml:9:26: K01_01101: Przejście 2 / Otwieranie klamką: this box is \"tak\" or \"nie\", not "
         "\"yes\"",
         "site.yaml:10:22: K01_01101: Przejście 2 / Typ przejścia: no door type \"Normal\"; the types are "
         "Otwarte, Normalne, Bistabilne, Astabilne, Zablokowane",
         "site.yaml:11:14: K01_01101: Przejście 2 / Śluzy: no airlock \"Śluza 2\"; the airlocks are Śluza 1 "
         "or -----",
     }},
    {"SharingDoorsStateNcOtherwise",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia: {Alarm: P01_40101:Out5}\n",
     {
         "Przejście 1 / Wyjścia / Alarm: P01_40101:Out5 NC -> P01_40101:Out5",
         "Przejście 2 / Wyjścia / Alarm: P01_40101:Out5 NC -> P01_40101:Out5",
     }},
    {"SharingDoorsContradictEachOther",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia: {Alarm: P01_40101:Out5}\n"
     "    Przejście 2:\n"
     "      Wyjścia: {Alarm: P01_40101:Out5 NC}\n",
     {
         "Przejście 1 / Wyjścia / Alarm: P01_40101:Out5 NC -> P01_40101:Out5",
         "Przejście 2 / Wyjścia / Alarm: P01_40101:Out5 NC -> P01_40101:Out5",
         "site.yaml:7:24: K01_01101: Przejście 2 / Wyjścia / Alarm: the sheet would hold P01_40101:Out5, not "
         "P01_40101:Out5 NC: doors sharing an output share its NC mark, and the file states it otherwise for "
         "another door",
     }},
    {"TheBoltMovesAwayFromTheSensorStated",
     "K01_01101",
     "    Przejście 1:\n"
     "      Wyjścia: {Rygiel: P01_40101:Out7}\n"
     "      Wejścia: {Czujnik otwarcia: K01_01101:In1 NC}\n",
     {
         "Przejście 1 / Wyjścia / Rygiel: K01_01101:Out1 -> P01_40101:Out7",
         "Przejście 1 / Wejścia / Czujnik otwarcia: K01_01101:In1 NC -> -----",
         "site.yaml:6:35: K01_01101: Przejście 1 / Wejścia / Czujnik otwarcia: the sheet would hold -----, "
         "not "
         "K01_01101:In1 NC: the door-open sensor is an input of the bolt's device, and moving the bolt "
         "releases it",
     }},
    {"LiftOnADoorsWordsAndValues",
     "K03_01301",
     "    Przejście 1:\n"
     "      Typ przejścia: Normalne\n"
     "    Winda:\n"
     "      quor-L8: D01_60101:Set1\n"
     "      Sabotaż: D01_60101:In1\n"
     "      Czytniki: {2: R05_21301:Rd1 Wyjście}\n",
     {
         "Winda / Sabotaż: K03_01301:In1 -> D01_60101:In1",
         "site.yaml:4:5: K03_01301: Przejście 1: no such section: K03_01301 is a lift controller (Winda)",
         "site.yaml:7:16: K03_01301: Winda / quor-L8: D01_60101 has no Set1; this field takes an output "
         "module",
         "site.yaml:8:16: K03_01301: Winda / Sabotaż: D01_60101:In1 is used by Winda / Wybór piętra; the "
         "selector offers only what no other slot uses",
         "site.yaml:9:21: K03_01301: Winda / Czytniki / 2: this field takes no mark",
     }},
    {"TheOtherLiftModuleIsTakenByASetWithoutControl",
     "K03_01301",
     "    Winda:\n"
     "      quor-L8: D01_60102\n",
     {
         "Winda / quor-L8: D01_60101 -> D01_60102",
         "Winda / Wybór piętra: D01_60101:In1 NC -> -----",
         "site.yaml:5:16: K03_01301: Winda / quor-L8: D01_60102 is used by Winda / Zestaw wyjść 2; the "
         "selector "
         "offers only what no other slot uses",
     }},
    {"LockersValues",
     "K04_01401",
     "    Szafki:\n"
     "      Nazwa pomieszczenia: Szatnia nr 1 i nr 2\n"
     "      Moduł 0: {Od: -3, Do: 10000, Moduł: D02_14002}\n"
     "      Test od szafki nr: -----\n"
     "      Długość impulsu otwarcia szafki: \",5 s\"\n",
     {
         "Szafki / Moduł 0 / Moduł: D02_14001 -> D02_14002",
         "site.yaml:5:28: K04_01401: Szafki / Nazwa pomieszczenia: the room name holds at most 15 "
         "characters, "
         "not 19",
         "site.yaml:6:21: K04_01401: Szafki / Moduł 0 / Od: a locker number is 0 to 9999, digits only, not "
         "\"-3\"",
         "site.yaml:6:29: K04_01401: Szafki / Moduł 0 / Do: a locker number is 0 to 9999, digits only, not "
         "\"10000\"",
         "site.yaml:6:43: K04_01401: Szafki / Moduł 0 / Moduł: D02_14002 is used by Szafki / Moduł 1 / "
         "Moduł; "
         "the selector offers only what no other slot uses",
         "site.yaml:7:26: K04_01401: Szafki / Test od szafki nr: the first locker of the test is 0 to 9999, "
         "digits only, not \"-----\"",
         "site.yaml:8:40: K04_01401: Szafki / Długość impulsu otwarcia szafki: a time is 0 to 63,5 s in half "
         "seconds (\"2,5 s\"), not \",5 s\"",
     }},
    {"ARoomNameOutsideWindows1250",
     "K04_01401",
     "    Szafki:\n"
     "      Nazwa pomieszczenia: Szatnia 日本\n",
     {
         "site.yaml:5:28: K04_01401: Szafki / Nazwa pomieszczenia: the controller keeps the room name in "
         "Windows-1250, which lacks a character of \"Szatnia 日本\"",
     }},
};

INSTANTIATE_TEST_SUITE_P(Refused, SitePlanCases, testing::ValuesIn(Refused),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quor::site
