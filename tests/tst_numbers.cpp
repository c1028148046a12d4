#include "core/app/filefilter.h"
#include "core/app/numbers.h"
#include "core/browser/browsermath.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr qint32 kMax32 = std::numeric_limits<qint32>::max();
constexpr qint32 kMin32 = std::numeric_limits<qint32>::min();

QByteArray describe(double actual, double expected) {
    return QByteArray("got ") + QByteArray::number(actual, 'g', 17) + " expected " +
           QByteArray::number(expected, 'g', 17);
}
} // namespace

class TestNumbers : public QObject {
    Q_OBJECT
  private slots:
    void numericValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("integer") << "42" << 42.0;
        QTest::newRow("blanks around") << "  42  " << 42.0;
        QTest::newRow("blanks inside digits") << "1 2 3" << 123.0;
        QTest::newRow("tab and line feed") << "\t1\n2" << 12.0;
        QTest::newRow("blank after sign") << "- 5" << -5.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("minus sign") << "-7" << -7.0;
        QTest::newRow("fraction") << "2.5" << 2.5;
        QTest::newRow("leading period") << ".5" << 0.5;
        QTest::newRow("negative leading period") << "-.25" << -0.25;
        QTest::newRow("second period ends number") << "1.2.3" << 1.2;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent capital") << "2E2" << 200.0;
        QTest::newRow("negative exponent") << "25e-1" << 2.5;
        QTest::newRow("exponent with plus") << "3e+2" << 300.0;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("exponent sign without digits") << "1e-" << 1.0;
        QTest::newRow("blank inside exponent") << "1 e 2" << 100.0;
        QTest::newRow("huge exponent") << "1e999" << kInf;
        QTest::newRow("huge negative") << "-1e999" << -kInf;
        QTest::newRow("tiny exponent") << "1e-999" << 0.0;
        QTest::newRow("hex one digit") << "&H1" << 1.0;
        QTest::newRow("hex lower case") << "&hff" << 255.0;
        QTest::newRow("hex mixed digits") << "&HaB" << 171.0;
        QTest::newRow("hex 7FFF") << "&H7FFF" << 32767.0;
        QTest::newRow("hex 8000 16-bit") << "&H8000" << -32768.0;
        QTest::newRow("hex FFFF 16-bit") << "&HFFFF" << -1.0;
        QTest::newRow("hex 0FFFF five digits") << "&H0FFFF" << 65535.0;
        QTest::newRow("hex 10000 32-bit") << "&H10000" << 65536.0;
        QTest::newRow("hex 7FFFFFFF") << "&H7FFFFFFF" << 2147483647.0;
        QTest::newRow("hex 80000000 32-bit") << "&H80000000" << -2147483648.0;
        QTest::newRow("hex FFFFFFFF 32-bit") << "&HFFFFFFFF" << -1.0;
        QTest::newRow("hex nine digits full magnitude") << "&H100000000" << 4294967296.0;
        QTest::newRow("hex nine F digits") << "&HFFFFFFFFF" << 68719476735.0;
        QTest::newRow("hex blanks inside") << "& H 1 0" << 16.0;
        QTest::newRow("hex stops at non-digit") << "&H1G" << 1.0;
        QTest::newRow("hex without digits") << "&H" << 0.0;
        QTest::newRow("hex without digits then text") << "&Hxyz" << 0.0;
        QTest::newRow("octal 777") << "&O777" << 511.0;
        QTest::newRow("octal lower case") << "&o17" << 15.0;
        QTest::newRow("octal 177777 16-bit") << "&O177777" << -1.0;
        QTest::newRow("octal 100000 16-bit") << "&O100000" << -32768.0;
        QTest::newRow("octal 200000 32-bit") << "&O200000" << 65536.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("octal without digits") << "&O" << 0.0;
        QTest::newRow("ampersand alone") << "&" << 0.0;
        QTest::newRow("ampersand other letter") << "&X12" << 0.0;
        QTest::newRow("lone minus") << "-" << 0.0;
        QTest::newRow("lone plus") << "+" << 0.0;
        QTest::newRow("lone period") << "." << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("only blanks") << " \t\n " << 0.0;
        QTest::newRow("garbage") << "abc" << 0.0;
        QTest::newRow("letter first") << "x12" << 0.0;
        QTest::newRow("two signs") << "--5" << 0.0;
    }
    void numericValue() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double actual = NumericValue(text);
        QVERIFY2(actual == expected, describe(actual, expected).constData());
    }

    void decimalText_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("signedText");
        QTest::addColumn<QString>("plainText");
        QTest::newRow("zero") << qint64(0) << " 0"
                              << "0";
        QTest::newRow("positive") << qint64(4096) << " 4096"
                                  << "4096";
        QTest::newRow("negative") << qint64(-5) << "-5"
                                  << "-5";
        QTest::newRow("largest address") << qint64(kMax32) << " 2147483647"
                                         << "2147483647";
        QTest::newRow("smallest address") << qint64(kMin32) << "-2147483648"
                                          << "-2147483648";
        QTest::newRow("beyond 32 bits") << (qint64(1) << 40) << " 1099511627776"
                                        << "1099511627776";
    }
    void decimalText() {
        QFETCH(qint64, value);
        QFETCH(QString, signedText);
        QFETCH(QString, plainText);
        QCOMPARE(signedDecimal(value), signedText);
        QCOMPARE(plainDecimal(value), plainText);
    }

    void roundHalfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("9.5 up to even") << 9.5 << 10.0;
        QTest::newRow("10.5 down to even") << 10.5 << 10.0;
        QTest::newRow("0.5 to zero") << 0.5 << 0.0;
        QTest::newRow("1.5 to two") << 1.5 << 2.0;
        QTest::newRow("-2.5 to -2") << -2.5 << -2.0;
        QTest::newRow("-3.5 to -4") << -3.5 << -4.0;
        QTest::newRow("below half") << 2.49 << 2.0;
        QTest::newRow("above half") << 2.51 << 3.0;
        QTest::newRow("integer stays") << 7.0 << 7.0;
    }
    void roundHalfEven() {
        QFETCH(double, value);
        QFETCH(double, expected);
        const double actual = ::roundHalfEven(value);
        QVERIFY2(actual == expected, describe(actual, expected).constData());
    }

    void toAddress_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint32>("expected");
        QTest::newRow("zero") << 0.0 << true << 0;
        QTest::newRow("ordinary") << 4096.0 << true << 4096;
        QTest::newRow("half to even down") << 2.5 << true << 2;
        QTest::newRow("half to even up") << 3.5 << true << 4;
        QTest::newRow("negative") << -100.0 << true << -100;
        QTest::newRow("INT32_MAX") << 2147483647.0 << true << kMax32;
        QTest::newRow("INT32_MAX plus 0.4") << 2147483647.4 << true << kMax32;
        QTest::newRow("INT32_MIN") << -2147483648.0 << true << kMin32;
        QTest::newRow("2^31") << 2147483648.0 << false << 0;
        QTest::newRow("INT32_MAX plus a half rounds to 2^31") << 2147483647.5 << false << 0;
        QTest::newRow("-2^31-1") << -2147483649.0 << false << 0;
        QTest::newRow("2^32 does not wrap to 0") << 4294967296.0 << false << 0;
        QTest::newRow("+inf") << kInf << false << 0;
        QTest::newRow("-inf") << -kInf << false << 0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    }
    void toAddress() {
        QFETCH(double, value);
        QFETCH(bool, accepted);
        QFETCH(qint32, expected);
        const std::optional<qint32> address = ::toAddress(value);
        QCOMPARE(address.has_value(), accepted);
        if (accepted) QCOMPARE(*address, expected);
    }

    void saturateToAddress_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<qint32>("expected");
        QTest::newRow("inside") << qint64(12345) << 12345;
        QTest::newRow("negative inside") << qint64(-12345) << -12345;
        QTest::newRow("INT32_MAX") << qint64(kMax32) << kMax32;
        QTest::newRow("2^31 clamps") << (qint64(1) << 31) << kMax32;
        QTest::newRow("2^32 clamps, no wrap") << (qint64(1) << 32) << kMax32;
        QTest::newRow("INT32_MIN") << qint64(kMin32) << kMin32;
        QTest::newRow("-2^31-1 clamps") << (qint64(kMin32) - 1) << kMin32;
        QTest::newRow("INT64_MAX") << std::numeric_limits<qint64>::max() << kMax32;
        QTest::newRow("INT64_MIN") << std::numeric_limits<qint64>::min() << kMin32;
    }
    void saturateToAddress() {
        QFETCH(qint64, value);
        QFETCH(qint32, expected);
        QCOMPARE(::saturateToAddress(value), expected);
    }

    void gridCounts_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("cellSize");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        // 229 / 24 = 9.54; 229 / 18 = 12.72.
        QTest::newRow("229 wide, zoom 3, no grid") << 229 << 240 << 3 << 8 << 10 << 10;
        QTest::newRow("229 wide, zoom 2, grid") << 229 << 180 << 2 << 9 << 13 << 10;
        QTest::newRow("quotient 9.5 goes to 10") << 228 << 228 << 3 << 8 << 10 << 10;
        QTest::newRow("quotient 10.5 goes to 10") << 252 << 252 << 3 << 8 << 10 << 10;
        QTest::newRow("quotient 8.5 goes to 8") << 204 << 36 << 3 << 8 << 8 << 2;
        QTest::newRow("columns and rows apart") << 160 << 40 << 1 << 8 << 20 << 5;
    }
    void gridCounts() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, zoom);
        QFETCH(int, cellSize);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const GridCounts counts = browserGridCounts(width, height, zoom, cellSize);
        QCOMPARE(int(counts.columns), columns);
        QCOMPARE(int(counts.rows), rows);
    }

    void scrollTop_data() {
        QTest::addColumn<qint32>("fileLength");
        QTest::addColumn<int>("thumb");
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("offset");
        QTest::addColumn<qint32>("expected");
        // 32768 bytes, 17 rows: one screen is 272 bytes; thumb v is v/1024 of the file.
        QTest::newRow("thumb 0") << 32768 << 0 << 17 << 0.0 << 0;
        QTest::newRow("thumb 1") << 32768 << 1 << 17 << 0.0 << 0;
        QTest::newRow("thumb 9") << 32768 << 9 << 17 << 0.0 << 272;
        QTest::newRow("thumb 1024") << 32768 << 1024 << 17 << 0.0 << 32640;
        QTest::newRow("offset 4 at thumb 0") << 32768 << 0 << 17 << 4.0 << 4;
        QTest::newRow("offset 15 at thumb 9") << 32768 << 9 << 17 << 15.0 << 287;
        // 2147483647 / 272 = 7895160.4 screens: 7895160 * 272 + 15.
        QTest::newRow("largest file, 17 rows") << kMax32 << 1024 << 17 << 15.0 << 2147483535;
        // One row: 134217727 * 16 + 15 is exactly INT32_MAX.
        QTest::newRow("largest file, 1 row, offset 15") << kMax32 << 1024 << 1 << 15.0 << kMax32;
        QTest::newRow("largest file, offset past the range clamps")
            << kMax32 << 1024 << 1 << 100.0 << kMax32;
    }
    void scrollTop() {
        QFETCH(qint32, fileLength);
        QFETCH(int, thumb);
        QFETCH(int, rows);
        QFETCH(double, offset);
        QFETCH(qint32, expected);
        const qint32 top = scrollTopAddress(fileLength, thumb, rows, offset);
        QVERIFY(top >= 0);
        QCOMPARE(top, expected);
    }

    void pointAt_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<qint32>("top");
        QTest::addColumn<qint64>("address");
        QTest::addColumn<qint64>("column");
        QTest::addColumn<qint64>("row");
        // Zoom 3 without grid: cells 24 pixels wide, 10 columns.
        QTest::newRow("(50,30)") << 50.0 << 30.0 << 0 << qint64(192) << qint64(2) << qint64(1);
        QTest::newRow("(50,30) from top 4")
            << 50.0 << 30.0 << 4 << qint64(196) << qint64(2) << qint64(1);
        QTest::newRow("origin") << 0.0 << 0.0 << 0 << qint64(0) << qint64(0) << qint64(0);
        QTest::newRow("last pixel of first cell")
            << 23.9 << 23.9 << 0 << qint64(0) << qint64(0) << qint64(0);
        // Left of the box: the column shown is 0, the address uses column -1.
        QTest::newRow("x = -5") << -5.0 << 30.0 << 0 << qint64(16 * (-1 + 10)) << qint64(0)
                                << qint64(1);
        QTest::newRow("above the box")
            << 50.0 << -5.0 << 160 << qint64(160 + 16 * (2 - 10)) << qint64(2) << qint64(0);
    }
    void pointAt() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(qint32, top);
        QFETCH(qint64, address);
        QFETCH(qint64, column);
        QFETCH(qint64, row);
        const BrowserPoint point = browserPointAt(x, y, 8, 3, top, 10);
        QCOMPARE(point.address, address);
        QCOMPARE(point.column, column);
        QCOMPARE(point.row, row);
    }

    void openFilter() {
        const QList<FileFilter> filters = parseFileFilters(
            "Gameboy Roms (*.gb,*.gbc)|*.gb;*.gbc|Super Nintendo Roms (*.smc, *.sfc,*.fig)|"
            "*.smc; *.sfc;*.fig|All files (*.*)|*.*");
        QCOMPARE(filters.size(), 3);
        QCOMPARE(filters[0].description, QString("Gameboy Roms (*.gb,*.gbc)"));
        QCOMPARE(filters[0].patterns, QStringList({"*.gb", "*.gbc"}));
        QCOMPARE(filters[1].description, QString("Super Nintendo Roms (*.smc, *.sfc,*.fig)"));
        QCOMPARE(filters[1].patterns, QStringList({"*.smc", "*.sfc", "*.fig"}));
        QCOMPARE(filters[2].description, QString("All files (*.*)"));
        QCOMPARE(filters[2].patterns, QStringList({"*.*"}));
    }
    // Qt's dialog reads "*.*" as names with a dot; the list means every file by it.
    void openFilterForQt() {
        QCOMPARE(qtNameFilters("Gameboy Roms (*.gb,*.gbc)|*.gb;*.gbc|Super Nintendo Roms (*.smc, "
                               "*.sfc,*.fig)|*.smc; *.sfc;*.fig|All files (*.*)|*.*"),
                 QStringList({"Gameboy Roms (*.gb,*.gbc) (*.gb *.gbc)",
                              "Super Nintendo Roms (*.smc, *.sfc,*.fig) (*.smc *.sfc *.fig)",
                              "All files (*.*) (*)"}));
    }
    void filterWithoutPatternsIsDropped() {
        const QList<FileFilter> filters = parseFileFilters("Text (*.txt)|*.txt|Dangling");
        QCOMPARE(filters.size(), 1);
        QCOMPARE(filters[0].description, QString("Text (*.txt)"));
        QCOMPARE(filters[0].patterns, QStringList({"*.txt"}));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
