#include "app/replay_session.h"
#include "platform/replay/replay_runtime.h"
#include "shell/form1.h"
#include <gtest/gtest.h>
#include <iostream>
namespace vex {
TEST(Scratch, Trace) {
    const char* f = std::getenv("TRACE_REPLAY");
    if (!f) return;
    auto r = load_replay(f);
    ASSERT_TRUE(r) << r.reason();
    ReplayRecordFolder folder(r.value().record);
    ReplayRuntime rt(r.value().seed, folder.path());
    Form1 form(rt);
    ReplayPlayer p(form, r.value());
    rt.set_player(p);
    p.load();
    bool boss = false; float ship = -1;
    while (!p.finished()) {
        p.step();
        if (form.imgBady.Visible != boss || form.imgShip.Left != ship) {
            boss = form.imgBady.Visible; ship = form.imgShip.Left;
            std::cout << p.last_round() << " boss=" << boss << " bossleft=" << form.imgBady.Left << " bosstop=" << form.imgBady.Top << " ship=" << ship << " lives=" << form.lblLives.Caption << "\n";
        }
    }
}
}
