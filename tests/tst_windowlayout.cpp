// How a window wider than designed shares its extra width between the two views.
#include "core/app/windowlayout.h"
#include "datarows.h"

class TestWindowLayout : public QObject {
    Q_OBJECT

  private slots:
    // The editor's drawing area is 261 pixels wide as designed; 810 hold the whole canvas at
    // zoom 9 with the grid.
    void shareExtraWidth_data() {
        // extra width, editor's designed drawing area: browser, editor
        using R = Row<int, int, int, int>;
        rows(R{"narrower than designed", -40, 261, 0, 0},
             R{"a third, rounded down", 301, 261, 201, 100},
             R{"capped at the whole canvas", 3315, 261, 2766, 549},
             R{"an area already past it", 90, 900, 90, 0});
    }
    void shareExtraWidth() {
        const auto [extra, area, browser, editor] = fetch<int, int, int, int>();
        QCOMPARE(::shareExtraWidth(extra, area), (ViewWidths{browser, editor}));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
