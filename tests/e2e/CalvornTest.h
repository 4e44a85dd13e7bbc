#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalvornProcess.h"
#include "ManagerWindow.h"

// Every test starts from the sample drivers as defined, with Calvorn just started and its main
// window showing.
class CalvornTest : public ::testing::Test {
protected:
    void SetUp() override;

    CalvornProcess m_calvorn;
    ManagerWindow m_manager{nullptr};
};

// Every sample product is installed except exactly those in `removed`.
void ExpectInstalledAllBut(const std::vector<std::string>& removed);

// The sample drivers' lines as the list shows them while the ADE filter is on "<All>", in the
// list's own order, which ignores letter case.
extern const std::vector<std::string> kAllLines;

// Product codes of sample-drivers.tsv that the tests name.
namespace product {
extern const char kAltheonDmmC[];
extern const char kAltheonDmmNet[];
extern const char kBrightwaveScope[];
extern const char kKestrelSupply[];
extern const char kNorvikSwitch[];
extern const char kOrrinAnalyzer[];
extern const char kSolenneCounter[];
// Registered without a product: its removal fails. Also written in the 64-bit view with other
// data, which the program does not show.
extern const char kTessalyDmm[];
// An x64 package: registered in the 64-bit view.
extern const char kNorvikSwitch64[];
// Its removal asks for a restart.
extern const char kKestrelSupplyRestart[];
}  // namespace product
