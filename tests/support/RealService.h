#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

// A case that needs a real service (CUPS and its queues, the private
// PostgreSQL) or root steps aside with its reason in a plain `make test` on a
// machine without them. Under CI (QM_REQUIRE_SERVICES=1) every such service is
// there by design, so its absence fails the case instead of hiding it.
inline bool servicesRequired()
{
    const char *required = std::getenv("QM_REQUIRE_SERVICES");
    return required && std::strcmp(required, "1") == 0;
}

#define QM_SKIP_WITHOUT_SERVICE(reason)                                                            \
    do {                                                                                           \
        if (servicesRequired())                                                                    \
            GTEST_FAIL() << "a service or right CI provides is missing: " << reason;               \
        GTEST_SKIP() << reason;                                                                    \
    } while (false)
