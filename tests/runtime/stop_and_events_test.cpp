// The square root's table of cases, the console events turned into reports,
// and the normal stop.
#include "runtime/square_root.h"
#include "runtime/start_up.h"
#include "runtime/stop.h"

#include "tests/support/child_process.h"
#include "textio/record_writer.h"
#include "textio/value_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <limits>

namespace {

TEST(SquareRoot, ExactForNonNegativeArguments) {
    const double denormMin = std::numeric_limits<double>::denorm_min();
    struct Case {
        double x, root;
    } cases[] = {
        {4.0, 2.0},
        {2.5, 1.5811388300841898},
        {0.0, 0.0},
        {denormMin, 2.2227587494850775e-162},
        {INFINITY, INFINITY},
    };
    for (const Case& c : cases) EXPECT_EQ(squareRoot(c.x), c.root) << c.x;
    double negativeZero = squareRoot(-0.0);
    EXPECT_EQ(negativeZero, 0.0);
    EXPECT_TRUE(std::signbit(negativeZero)) << "-0.0 comes back unchanged";
}

TEST(SquareRoot, DomainErrorForNegativesAndNaN) {
    const std::string report = "\r\r\nrun-time error M6201: MATH\r\r\n- sqrt: DOMAIN error\r\r\n";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double x : {-1.0, -std::numeric_limits<double>::denorm_min(), -HUGE_VAL, nan, -nan,
                     std::numeric_limits<double>::signaling_NaN()}) {
        ChildResult result = runInChild([x] { squareRoot(x); });
        EXPECT_EQ(result.err, report) << x;
        EXPECT_EQ(result.status, 3) << x;
    }
}

TEST(ConsoleEvents, ReportAndExitWithTheEventNumber) {
    struct Case {
        int signal;
        const char* name;
        int status;
    } cases[] = {
        {SIGINT, "control-C", 0},
        {SIGQUIT, "control-BREAK", 1},
        {SIGHUP, "menu-CLOSE", 2},
        {SIGTERM, "unknown", 6},
    };
    for (const Case& c : cases) {
        // The child waits for an answer, holding channel 5, when the event comes.
        ChildResult result = runAndSignal(
            [] {
                writeItems(6, {textItem("prompt")});
                double answer;
                readValue(5, realTarget(answer));
            },
            c.signal);
        EXPECT_EQ(result.err, std::string("ffio: error (200): program aborting due to ") + c.name + " event\r\r\n");
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.signal, 0);
    }
}

TEST(NormalStop, SilentWithStatus0) {
    ChildResult result = runInChild([] {
        startUp();
        writeItems(6, {textItem("bye")});
        normalStop();
    });
    EXPECT_EQ(result.out, " bye\r\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
}

TEST(FloatingPoint, MaskedExceptionsGiveIeeeValues) {
    setUpFloatingPoint();
    volatile double zero = 0.0, one = 1.0;
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_EQ(one / zero, INFINITY);
    EXPECT_EQ(-one / zero, -INFINITY);
    EXPECT_EQ(0.0 / -1.0, 0.0);
    EXPECT_TRUE(std::signbit(zero / -one));
}

}  // namespace
