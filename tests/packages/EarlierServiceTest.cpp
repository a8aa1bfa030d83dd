// Removal of earlier packages on the real service: test packages carrying the earlier codes.
#include "BoxAnswerer.h"
#include "EarlierPackages.h"
#include "MsiFunctions.h"
#include "ServiceHelpers.h"
#include "TestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The removals the real service was asked for, and what it answered.
std::vector<std::string> Removals;
std::vector<UINT> RemovalResults;

UINT WINAPI RecordedRemoval(LPCSTR productCode, int level, INSTALLSTATE state) {
    Removals.push_back(productCode);
    RemovalResults.push_back(RealMsiFunctions.MsiConfigureProductA(productCode, level, state));
    return RemovalResults.back();
}

class PackagesEarlierService : public ::testing::Test {
  protected:
    void SetUp() override {
        Removals.clear();
        RemovalResults.clear();
        Msi.MsiConfigureProductA = RecordedRemoval;
        for (const char* code : EarlierProductCodes)
            cleanups.push_back(std::make_unique<ProductCleanup>(code));
    }
    void TearDown() override {
        Msi = RealMsiFunctions;
        for (int i = 1; i <= 6; ++i)
            ForgetRecordedProperties("Earlier" + std::to_string(i));
    }

    void Install(int earlier) {
        const std::string name = "Earlier" + std::to_string(earlier + 1);
        ASSERT_EQ(InstallTestPackage(name, root / name), ERROR_SUCCESS) << name;
        ASSERT_EQ(ProductState(EarlierProductCodes[earlier]), INSTALLSTATE_DEFAULT) << name;
    }

    InstallWatchdog watchdog;
    ScratchFolder root;
    std::vector<std::unique_ptr<ProductCleanup>> cleanups;
};

TEST_F(PackagesEarlierService, NoEarlierProductMeansNoQuestion) {
    BoxAnswerer answerer("Confirm", IDNO);
    EXPECT_TRUE(RemoveEarlierPackages());
    EXPECT_THAT(answerer.Answered(), IsEmpty());
    EXPECT_THAT(Removals, IsEmpty());
}

TEST_F(PackagesEarlierService, RemovesEveryEarlierProductInListOrderAfterOneQuestion) {
    for (int earlier : {4, 1, 5, 0, 3, 2})
        Install(earlier);
    BoxAnswerer answerer("Confirm", IDYES);

    EXPECT_TRUE(RemoveEarlierPackages());

    EXPECT_THAT(Removals, ElementsAre(EarlierProductCodes[0], EarlierProductCodes[1],
                                      EarlierProductCodes[2], EarlierProductCodes[3],
                                      EarlierProductCodes[4], EarlierProductCodes[5]));
    for (const char* code : EarlierProductCodes)
        EXPECT_EQ(ProductState(code), INSTALLSTATE_UNKNOWN) << code;
    const auto boxes = answerer.Answered();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, EarlierPackagesQuestion);
}

TEST_F(PackagesEarlierService, DecliningKeepsTheProductsInstalled) {
    Install(2);
    Install(4);
    BoxAnswerer answerer("Confirm", IDNO);

    EXPECT_FALSE(RemoveEarlierPackages());

    EXPECT_THAT(Removals, IsEmpty());
    EXPECT_EQ(ProductState(EarlierProductCodes[2]), INSTALLSTATE_DEFAULT);
    EXPECT_EQ(ProductState(EarlierProductCodes[4]), INSTALLSTATE_DEFAULT);
    EXPECT_EQ(answerer.Answered().size(), 1u);
}

TEST_F(PackagesEarlierService, AnAdvertisedProductCountsAsPresentAndIsRemoved) {
    Install(5);
    MarkAsAdvertised(EarlierProductCodes[5]);
    ASSERT_EQ(ProductState(EarlierProductCodes[5]), INSTALLSTATE_ADVERTISED);
    BoxAnswerer answerer("Confirm", IDYES);

    EXPECT_TRUE(RemoveEarlierPackages());

    EXPECT_EQ(answerer.Answered().size(), 1u);
    EXPECT_THAT(Removals, ElementsAre(EarlierProductCodes[5]));
    EXPECT_THAT(RemovalResults, ElementsAre(ERROR_SUCCESS));
    EXPECT_EQ(ProductState(EarlierProductCodes[5]), INSTALLSTATE_UNKNOWN);
}

} // namespace
