// Removal of earlier packages on a scripted service; a second thread answers the real consent box.
#include "BoxAnswerer.h"
#include "EarlierPackages.h"
#include "ScriptedMsi.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string State(int i) {
    return std::string("state ") + EarlierProductCodes[i];
}
std::string Remove(int i) {
    return std::string("configure ") + EarlierProductCodes[i] + " 0 2";
}

TEST(PackagesEarlierScripted, NothingPresentMeansNoQuestion) {
    ScriptedMsi msi;
    Script.States[EarlierProductCodes[0]] = INSTALLSTATE_ABSENT;
    Script.States[EarlierProductCodes[1]] = INSTALLSTATE_BROKEN;
    Script.States[EarlierProductCodes[2]] = INSTALLSTATE_LOCAL;
    BoxAnswerer answerer("Confirm", IDNO);

    EXPECT_TRUE(RemoveEarlierPackages());

    EXPECT_THAT(Script.Calls,
                ElementsAre(State(0), State(1), State(2), State(3), State(4), State(5)));
    EXPECT_THAT(answerer.Answered(), IsEmpty());
}

TEST(PackagesEarlierScripted, OneQuestionThenEveryPresentProductInListOrder) {
    ScriptedMsi msi;
    Script.States[EarlierProductCodes[1]] = INSTALLSTATE_ADVERTISED;
    Script.States[EarlierProductCodes[3]] = INSTALLSTATE_DEFAULT;
    Script.States[EarlierProductCodes[5]] = INSTALLSTATE_DEFAULT;
    BoxAnswerer answerer("Confirm", IDYES);

    EXPECT_TRUE(RemoveEarlierPackages());

    EXPECT_THAT(Script.Calls, ElementsAre(State(0), State(1), Remove(1), State(2), State(3),
                                          Remove(3), State(4), State(5), Remove(5)));
    const auto boxes = answerer.Answered();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, EarlierPackagesQuestion);
    EXPECT_EQ(boxes[0].Text, "An older Norvane Components package has been detected. To install "
                             "this new one, the older package must first be uninstalled. Do you "
                             "wish to uninstall the old package? ");
    EXPECT_FALSE(boxes[0].Owned);
    EXPECT_TRUE(boxes[0].YesNo);
    EXPECT_TRUE(boxes[0].QuestionIcon);
}

TEST(PackagesEarlierScripted, AFailedRemovalStopsAtOnce) {
    // The first removal fails: the later codes are not even queried.
    {
        ScriptedMsi msi;
        Script.States[EarlierProductCodes[0]] = INSTALLSTATE_DEFAULT;
        Script.States[EarlierProductCodes[4]] = INSTALLSTATE_DEFAULT;
        Script.RemoveResults[EarlierProductCodes[0]] = ERROR_INSTALL_FAILURE;
        BoxAnswerer answerer("Confirm", IDYES);
        EXPECT_FALSE(RemoveEarlierPackages());
        EXPECT_THAT(Script.Calls, ElementsAre(State(0), Remove(0)));
    }
    // The second fails: the first stays removed, the rest untouched.
    {
        ScriptedMsi msi;
        Script.States[EarlierProductCodes[1]] = INSTALLSTATE_DEFAULT;
        Script.States[EarlierProductCodes[2]] = INSTALLSTATE_ADVERTISED;
        Script.States[EarlierProductCodes[3]] = INSTALLSTATE_DEFAULT;
        Script.RemoveResults[EarlierProductCodes[2]] = ERROR_UNKNOWN_PRODUCT;
        BoxAnswerer answerer("Confirm", IDYES);
        EXPECT_FALSE(RemoveEarlierPackages());
        EXPECT_THAT(Script.Calls, ElementsAre(State(0), State(1), Remove(1), State(2), Remove(2)));
        EXPECT_EQ(answerer.Answered().size(), 1u);
    }
}

TEST(PackagesEarlierScripted, UnattendedRemovalAsksNothingAndReportsEachProduct) {
    ScriptedMsi msi;
    Script.States[EarlierProductCodes[1]] = INSTALLSTATE_DEFAULT;
    Script.States[EarlierProductCodes[3]] = INSTALLSTATE_ADVERTISED;
    Script.RemoveResults[EarlierProductCodes[3]] = ERROR_INSTALL_FAILURE;
    BoxAnswerer answerer("Confirm", IDNO);
    std::vector<std::string> reported;

    EXPECT_FALSE(RemoveEarlierPackagesWith(
        EarlierRemoval{false, INSTALLUILEVEL_NONE, [&](const char* code, UINT result) {
                           reported.push_back(std::string(code) + ' ' + std::to_string(result));
                       }}));

    EXPECT_THAT(Script.Calls, ElementsAre("ui 2 no owner", State(0), State(1), Remove(1), State(2),
                                          State(3), Remove(3)));
    EXPECT_THAT(reported, ElementsAre(std::string(EarlierProductCodes[1]) + " 0",
                                      std::string(EarlierProductCodes[3]) + " 1603"));
    EXPECT_THAT(answerer.Answered(), IsEmpty());
}

} // namespace
