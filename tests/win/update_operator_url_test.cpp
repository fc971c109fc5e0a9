// The operator-domain check with this build's configured domains (the test build trusts
// only the local dev service's 127.0.0.1).
#include "support/HttpSupport.h"
#include "update/OperatorUrl.h"

#include <gtest/gtest.h>

TEST(OperatorUrl, TheConfiguredDomainsDecide) {
    EXPECT_TRUE(IsOperatorUrl(ServiceUrl(L"/update/QuarnelHalvira.exe").c_str()));
    EXPECT_TRUE(IsOperatorUrl(L"http://127.0.0.1/notice/tovpic.png"));
    EXPECT_FALSE(IsOperatorUrl(L"http://localhost/update/QuarnelHalvira.exe"));
    EXPECT_FALSE(IsOperatorUrl(L"http://attacker.example/?from=127.0.0.1"));
    EXPECT_FALSE(IsOperatorUrl(L"http://127.0.0.1.attacker.example/"));
    EXPECT_FALSE(IsOperatorUrl(L""));
    EXPECT_FALSE(IsOperatorUrl(nullptr));
}
