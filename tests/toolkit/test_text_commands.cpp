// The clock and text commands that build the desktop's clock.
#include <QTest>

// moc cannot read identifiers written in Chinese, so it is kept out of our headers.
#ifndef Q_MOC_RUN
#include "sim.h"
#endif

using namespace rt;

class TextCommands : public QObject {
    Q_OBJECT
private slots:
    void to_text_of_dates_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("expected");
        QTest::newRow("seconds set") << 9 << 5 << 7 << "2020年2月11日9时5分7秒";
        QTest::newRow("zero seconds") << 9 << 5 << 0 << "2020年2月11日9时5分";
        QTest::newRow("minutes zero, seconds set") << 9 << 0 << 7 << "2020年2月11日9时0分7秒";
        QTest::newRow("whole hour") << 9 << 0 << 0 << "2020年2月11日9时";
        QTest::newRow("midnight") << 0 << 0 << 0 << "2020年2月11日";
        QTest::newRow("just after midnight") << 0 << 1 << 0 << "2020年2月11日0时1分";
    }
    void to_text_of_dates()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(to_text(DateTime{2020, 2, 11, hour, minute, second})), expected);
    }

    void date_only_drops_the_time()
    {
        const DateTime evening{2031, 12, 31, 23, 59, 58};
        QCOMPARE(date_only(evening), (DateTime{2031, 12, 31, 0, 0, 0}));
        QCOMPARE(QString::fromStdString(to_text(date_only(evening))), QString("2031年12月31日"));
        QCOMPARE(hour_of(evening), 23);
        QCOMPARE(minute_of(evening), 59);
    }

    void to_text_of_numbers_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("no leading zeros") << qint64(5) << "5";
        QTest::newRow("negative") << qint64(-42) << "-42";
        QTest::newRow("smallest int32") << qint64(INT32_MIN) << "-2147483648";
    }
    void to_text_of_numbers()
    {
        QFETCH(qint64, number);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(to_text(number)), expected);
    }

    void join_texts_keeps_order_and_treats_missing_as_empty()
    {
        QCOMPARE(QString::fromStdString(join_texts({"9", "：", "5", "\r\n", "2020年2月11日"})),
                 QString("9：5\r\n2020年2月11日"));
        QCOMPARE(join_texts({std::string_view{}, "a", std::string_view{}, "b"}), std::string("ab"));
        QCOMPARE(join_texts({std::string_view{}}), std::string());
    }

    void text_byte_count_counts_bytes_before_the_end()
    {
        QCOMPARE(text_byte_count(nullptr), std::size_t(0));
        QCOMPARE(text_byte_count(""), std::size_t(0));
        QCOMPARE(text_byte_count("abc"), std::size_t(3));
        QCOMPARE(text_byte_count("写入"), std::size_t(6));  // held as UTF-8
    }

    void current_time_reads_the_injected_clock()
    {
        testing::Sim sim({2020, 2, 11, 0, 0, 0});
        QCOMPARE(current_time(), (DateTime{2020, 2, 11, 0, 0, 0}));
    }
};

QTEST_MAIN(TextCommands)
#include "test_text_commands.moc"
