#include "ScriptedMessages.h"
#include "TestSettings.h"
#include "formutil.h"
#include "lookup.h"

#include <QHeaderView>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

class TestFormUtil : public QObject {
    Q_OBJECT

private:
    static QTableWidget* grid(const QStringList& headings, QWidget* parent) {
        auto* table = new QTableWidget(1, int(headings.size()), parent);
        table->setObjectName("msgRentItems");
        table->horizontalHeader()->setMinimumSectionSize(1);
        for (int column = 0; column < headings.size(); ++column)
            table->setHorizontalHeaderItem(column, new QTableWidgetItem(headings[column]));
        return table;
    }

private Q_SLOTS:
    void confirmDiscard_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("nothing changed") << false << 0 << int(AnswerYes) << true;
        QTest::newRow("changed, Yes") << true << int(AnswerYes) << int(AnswerYes) << true;
        QTest::newRow("changed, No") << true << int(AnswerNo) << int(AnswerNo) << false;
        QTest::newRow("changed, Cancel") << true << int(AnswerCancel) << int(AnswerCancel) << false;
    }
    void confirmDiscard() {
        QFETCH(bool, changed);
        QFETCH(int, pressed);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        ScriptedMessages messages;
        messages.answers << pressed;
        QWidget form;
        form.show();
        int discardAnswer = 0;
        ConfirmDiscard(messages, form, changed, discardAnswer);
        QCOMPARE(discardAnswer, answer);
        QCOMPARE(form.isVisible(), !closed);
        QCOMPARE(messages.boxes.size(), changed ? 1 : 0);
        if (changed) {
            QCOMPARE(messages.boxes[0].text,
                     QStringLiteral("Data changed will not be saved!\rConfirm exit?"));
            QCOMPARE(messages.boxes[0].icon, MsgIcon::Question);
            QCOMPARE(messages.boxes[0].buttons, MsgButtons::YesNoCancel);
        }
    }

    void columnWidthsRoundTrip_data() {
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("every column headed")
            << QStringList{"Item ID", "Title", "Due"} << QList<int>{80, 201, 7}
            << QStringList{"Due=105", "Item ID=1200", "Title=3015"};
        QTest::newRow("column without heading skipped")
            << QStringList{"Item ID", "", "Title", ""} << QList<int>{80, 33, 150, 44}
            << QStringList{"Item ID=1200", "Title=2250"};
    }
    void columnWidthsRoundTrip() {
        QFETCH(QStringList, headings);
        QFETCH(QList<int>, widths);
        QFETCH(QStringList, stored);
        TestSettings store;
        QSettings& settings = store.settings;
        QWidget form;
        QTableWidget* saved = grid(headings, &form);
        for (int column = 0; column < widths.size(); ++column)
            saved->setColumnWidth(column, widths[column]);
        SaveColumnWidths(*saved, settings);

        settings.beginGroup("msgRentItems");
        QStringList written;
        for (const QString& key : settings.childKeys())
            written << key + QLatin1Char('=') + settings.value(key).toString();
        settings.endGroup();
        written.sort();
        QCOMPARE(written, stored);

        QTableWidget* read = grid(headings, &form);
        for (int column = 0; column < widths.size(); ++column)
            read->setColumnWidth(column, 20);
        ReadColumnWidths(*read, settings);
        for (int column = 0; column < widths.size(); ++column)
            QCOMPARE(read->columnWidth(column), headings[column].isEmpty() ? 20 : widths[column]);
    }

    void unreadableWidthLeavesColumnAlone() {
        TestSettings store;
        store.settings.setValue("msgRentItems/Title", "wide");
        QWidget form;
        QTableWidget* table = grid({QStringLiteral("Title")}, &form);
        table->setColumnWidth(0, 20);
        ReadColumnWidths(*table, store.settings);
        QCOMPARE(table->columnWidth(0), 20);
    }

    void categoryDescription_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("description");
        QTest::newRow("last") << QStringLiteral("D") << QStringLiteral("DVD");
        QTest::newRow("first of two with the same ID") << QStringLiteral("B") << "BLU-RAY";
        QTest::newRow("case must match") << QStringLiteral("v") << QString();
        QTest::newRow("empty box") << QString() << QString();
    }
    void categoryDescription() {
        QFETCH(QString, id);
        QFETCH(QString, description);
        QList<CategoryRec> list(4);
        const std::pair<const char*, const char*> rows[] = {
            {"V", "VIDEO"}, {"B", "BLU-RAY"}, {"B", "BETAMAX"}, {"D", "DVD"}};
        for (int i = 0; i < 4; ++i) {
            list[i].CategoryID = QString::fromLatin1(rows[i].first);
            list[i].Description = QString::fromLatin1(rows[i].second);
        }
        QCOMPARE(CategoryDescription(list, id), description);
    }
};

QTEST_MAIN(TestFormUtil)
#include "tst_formutil.moc"
