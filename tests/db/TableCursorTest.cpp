#include "db/TableCursor.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <gtest/gtest.h>

using namespace testkit;

namespace {

using State = TableCursor::State;
using Kind = TableCursor::Kind;

QList<int> codes(TableCursor& c, const QString& column) {
    QList<int> out;
    if (!c.first())
        return out;
    do
        out << c.value(column).toInt();
    while (c.next());
    return out;
}

} // namespace

TEST(TableCursor, OpensATableByAnyOfItsNames) {
    TempFarm farm;
    for (const char* name : {"Hembras", "Hembras.DB", "hembras.db", "HEMBRAS"}) {
        TableCursor c(farm.db(), QString::fromUtf8(name));
        EXPECT_EQ(c.tableName(), QStringLiteral("Hembras")) << name;
    }
    EXPECT_THROW(TableCursor(farm.db(), QStringLiteral("Conejos.db")), DbError);
    EXPECT_THROW(TableCursor(farm.db(), QStringLiteral("Hembras"), {QStringLiteral("Orejas")}), DbError);

    TableCursor hembras(farm.db(), QStringLiteral("Hembras.DB"), {QStringLiteral("codigohembra")});
    EXPECT_EQ(hembras.keyOrder(), QStringList{QStringLiteral("CodigoHembra")});
    const std::pair<const char*, Kind> kinds[] = {{"CodigoHembra", Kind::Number},
                                                  {"FechaEntrada", Kind::Date},
                                                  {"Marca1", Kind::Logical},
                                                  {"Raza", Kind::Text},
                                                  {"causabaja", Kind::Number}};
    for (const auto& [column, kind] : kinds)
        EXPECT_EQ(hembras.kind(QString::fromUtf8(column)), kind) << column;
    EXPECT_EQ(TableCursor(farm.db(), QStringLiteral("CubriHembras.db")).kind(QStringLiteral("Orden")), Kind::Counter);
    EXPECT_TRUE(hembras.isEmpty());
    EXPECT_EQ(hembras.position(), -1);
    EXPECT_FALSE(hembras.value(QStringLiteral("CodigoHembra")).isValid());
}

TEST(TableCursor, WalksTheRowsInKeyOrderWhateverTheTableOrder) {
    TempFarm farm;
    for (int code : {30, 10, 57, 20})
        addFemaleInCage(farm.db(), code);
    TableCursor c(farm.db(), QStringLiteral("Hembras.DB"), {QStringLiteral("CodigoHembra")});
    EXPECT_EQ(c.count(), 4);
    EXPECT_EQ(codes(c, QStringLiteral("CodigoHembra")), QList<int>({10, 20, 30, 57}));
    EXPECT_TRUE(c.first());
    EXPECT_FALSE(c.prior());
    EXPECT_TRUE(c.last());
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 57);
    EXPECT_FALSE(c.next());
    EXPECT_TRUE(c.prior());
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 30);
    EXPECT_TRUE(c.locate(QStringLiteral("CodigoHembra"), 20));
    EXPECT_EQ(c.position(), 1);
    EXPECT_FALSE(c.locate(QStringLiteral("CodigoHembra"), 21));
    EXPECT_EQ(c.position(), 1);
    // Moving is refused while a change is pending.
    c.edit();
    EXPECT_FALSE(c.next());
    EXPECT_FALSE(c.locate(QStringLiteral("CodigoHembra"), 57));
    EXPECT_EQ(c.position(), 1);
}

TEST(TableCursor, InsertWritesEveryKindAndStandsOnTheNewRow) {
    TempFarm farm;
    addFemaleInCage(farm.db(), 5);
    TableCursor c(farm.db(), QStringLiteral("Hembras"), {QStringLiteral("CodigoHembra")});
    c.insert();
    EXPECT_EQ(c.state(), State::Insert);
    EXPECT_FALSE(c.value(QStringLiteral("CodigoHembra")).isValid());
    c.setValue(QStringLiteral("CodigoHembra"), 3);
    c.setValue(QStringLiteral("FechaEntrada"), QDate(2002, 4, 23));
    c.setValue(QStringLiteral("Marca2"), true);
    c.setValue(QStringLiteral("Raza"), QStringLiteral("Neozelandesa 'blanca'"));
    c.setValue(QStringLiteral("CausaBaja"), -1);
    c.post();
    EXPECT_EQ(c.state(), State::Browse);
    EXPECT_EQ(c.position(), 0);
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 3);
    EXPECT_EQ(c.value(QStringLiteral("FechaEntrada")).toDate(), QDate(2002, 4, 23));
    EXPECT_EQ(c.value(QStringLiteral("Marca2")).toBool(), true);
    EXPECT_FALSE(c.value(QStringLiteral("FechaBaja")).isValid());
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where CodigoHembra=3 and "
                                              "FechaEntrada='04/23/2002' and Marca2=True and Marca1 is null and "
                                              "Raza='Neozelandesa ''blanca''' and FechaBaja is null")),
              1);

    // The Orden counter is the database's: a new cycle row gets the next one.
    TableCursor cycles(farm.db(), QStringLiteral("CubriHembras.db"), {QStringLiteral("Orden")});
    for (int i = 0; i < 2; ++i) {
        cycles.insert();
        cycles.setValue(QStringLiteral("CodigoHembra"), 3);
        cycles.post();
    }
    EXPECT_EQ(cycles.value(QStringLiteral("Orden")).toLongLong(), 2);
}

TEST(TableCursor, EditWritesOnlyWhatChangedAndCancelRestores) {
    TempFarm farm;
    addFemaleInCage(farm.db(), 7, 12);
    TableCursor c(farm.db(), QStringLiteral("Hembras"), {QStringLiteral("CodigoHembra")});
    c.edit();
    c.setValue(QStringLiteral("Jaula"), 40);
    EXPECT_EQ(c.value(QStringLiteral("Jaula")).toInt(), 40);
    EXPECT_EQ(c.storedValue(QStringLiteral("Jaula")).toInt(), 12);
    // Another statement writes a column while the row is in the buffer.
    farm.db().exec(QStringLiteral("update Hembras set Eficacia=36.5 where CodigoHembra=7"));
    c.post();
    EXPECT_EQ(c.value(QStringLiteral("Jaula")).toInt(), 40);
    EXPECT_DOUBLE_EQ(c.value(QStringLiteral("Eficacia")).toDouble(), 36.5);

    c.edit();
    c.setValue(QStringLiteral("Jaula"), 99);
    c.setValue(QStringLiteral("CodigoHembra"), 8);
    c.cancel();
    EXPECT_EQ(c.state(), State::Browse);
    EXPECT_EQ(c.value(QStringLiteral("Jaula")).toInt(), 40);
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 7);
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where Jaula=40")), 1);
    EXPECT_THROW(c.setValue(QStringLiteral("Jaula"), 1), std::logic_error);
}

TEST(TableCursor, SaveIsAllOrNothingWithItsHooks) {
    struct Case {
        const char* name;
        bool failBefore, failAfter, duplicateKey;
    };
    const Case cases[] = {
        {"before-save rule refuses", true, false, false},
        {"after-save rule fails", false, true, false},
        {"database refuses the row", false, false, true},
    };
    for (const Case& k : cases) {
        TempFarm farm;
        addFemaleInCage(farm.db(), 1);
        TableCursor c(farm.db(), QStringLiteral("Hembras"), {QStringLiteral("CodigoHembra")});
        c.events().beforePost = [&](TableCursor& t) {
            t.setValue(QStringLiteral("Jaula"), 0);
            t.database().exec(QStringLiteral("insert into HistoricoMaternidad (Fecha) values ('04/23/2002')"));
            if (k.failBefore)
                throw std::runtime_error("no");
        };
        c.events().afterPost = [&](TableCursor& t) {
            EXPECT_EQ(t.state(), State::Browse);
            t.database().exec(QStringLiteral("update Hembras set Eficacia=1 where CodigoHembra=%1")
                                  .arg(t.value(QStringLiteral("CodigoHembra")).toInt()));
            if (k.failAfter)
                throw DbError(QStringLiteral("disco lleno"));
        };
        c.insert();
        c.setValue(QStringLiteral("CodigoHembra"), k.duplicateKey ? 1 : 2);
        c.setValue(QStringLiteral("Jaula"), 14);
        EXPECT_ANY_THROW(c.post()) << k.name;
        // Nothing written, and the row is still being inserted as the farmer left it.
        EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1) << k.name;
        EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from HistoricoMaternidad")), 0) << k.name;
        EXPECT_EQ(c.state(), State::Insert) << k.name;
        EXPECT_EQ(c.value(QStringLiteral("Jaula")).toInt(), 14) << k.name;
        EXPECT_EQ(c.count(), 1) << k.name;

        // Put right, the same save goes through with both rules.
        c.events().beforePost = [](TableCursor& t) { t.setValue(QStringLiteral("Jaula"), 0); };
        c.setValue(QStringLiteral("CodigoHembra"), 2);
        c.events().afterPost = [](TableCursor& t) {
            t.database().exec(QStringLiteral("update Hembras set Eficacia=1 where CodigoHembra=2"));
        };
        c.post();
        EXPECT_EQ(c.state(), State::Browse) << k.name;
        EXPECT_EQ(c.value(QStringLiteral("Jaula")).toInt(), 0) << k.name;
        EXPECT_EQ(c.value(QStringLiteral("Eficacia")).toInt(), 1) << k.name;
    }
}

TEST(TableCursor, CancelAndNewRowRunTheScreensRules) {
    TempFarm farm;
    addFemaleInCage(farm.db(), 4);
    TableCursor c(farm.db(), QStringLiteral("Hembras"), {QStringLiteral("CodigoHembra")});
    QStringList heard;
    c.events().newRecord = [&](TableCursor& t) {
        heard << QStringLiteral("new");
        t.setValue(QStringLiteral("CausaBaja"), -1);
    };
    c.events().beforeCancel = [&](TableCursor& t) {
        heard << QStringLiteral("before cancel %1").arg(t.value(QStringLiteral("CodigoHembra")).toInt());
    };
    c.events().afterCancel = [&](TableCursor&) { heard << QStringLiteral("after cancel"); };
    c.insert();
    EXPECT_EQ(c.value(QStringLiteral("CausaBaja")).toInt(), -1);
    c.setValue(QStringLiteral("CodigoHembra"), 9);
    // A new row begun over a pending one abandons it first.
    c.insert();
    c.cancel();
    EXPECT_EQ(heard, QStringList({"new", "before cancel 9", "after cancel", "new", "before cancel 0", "after cancel"}));
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 4);

    // A cancel rule that fails leaves the change pending.
    c.events().beforeCancel = [](TableCursor&) { throw DbError(QStringLiteral("bloqueado")); };
    c.edit();
    c.setValue(QStringLiteral("Jaula"), 3);
    EXPECT_THROW(c.cancel(), DbError);
    EXPECT_EQ(c.state(), State::Edit);
    EXPECT_EQ(c.value(QStringLiteral("Jaula")).toInt(), 3);
}

TEST(TableCursor, DeleteMovesToTheNextRowAndKeepsTheRowWhenARuleRefuses) {
    TempFarm farm;
    for (int code : {1, 2, 3})
        addFemaleInCage(farm.db(), code);
    TableCursor c(farm.db(), QStringLiteral("Hembras"), {QStringLiteral("CodigoHembra")});
    int deleted = 0;
    c.events().beforeDelete = [&](TableCursor& t) {
        t.database().exec(QStringLiteral("delete from CubriHembras where CodigoHembra=%1")
                              .arg(t.value(QStringLiteral("CodigoHembra")).toInt()));
    };
    c.events().afterDelete = [&](TableCursor&) { ++deleted; };
    c.locate(QStringLiteral("CodigoHembra"), 2);
    c.edit(); // the bar deletes a row it opened for editing
    c.remove();
    EXPECT_EQ(c.state(), State::Browse);
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 3);
    c.remove();
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 1);
    EXPECT_EQ(deleted, 2);

    c.events().beforeDelete = [](TableCursor&) { throw DbError(QStringLiteral("no")); };
    EXPECT_THROW(c.remove(), DbError);
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1);

    // A row being inserted is only abandoned.
    c.events().beforeDelete = nullptr;
    c.insert();
    c.remove();
    EXPECT_EQ(c.state(), State::Browse);
    EXPECT_EQ(c.count(), 1);
}

TEST(TableCursor, MasterLinkAndFilterNarrowTheRows) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Maquina) values "
                                  "(5, '01/10/2002', NULL)"));
    farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Maquina) values "
                                  "(6, '01/11/2002', NULL)"));
    farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Maquina) values "
                                  "(NULL, '01/12/2002', 'PC1')"));
    farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Maquina) values "
                                  "(5, '01/09/2002', NULL)"));
    TableCursor c(farm.db(), QStringLiteral("CubriHembras.db"), {QStringLiteral("FechaCubricion")});
    EXPECT_EQ(c.count(), 4);
    c.setMasterLink(QStringLiteral("CodigoHembra"), 5);
    EXPECT_EQ(c.count(), 2);
    EXPECT_EQ(c.value(QStringLiteral("FechaCubricion")).toDate(), QDate(2002, 1, 9));
    c.setMasterLink(QStringLiteral("CodigoHembra"), QVariant());
    EXPECT_EQ(c.count(), 1);
    c.clearMasterLink();
    c.setFilter(QStringLiteral("CodigoHembra is null and Maquina='PC1'"));
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(c.value(QStringLiteral("FechaCubricion")).toDate(), QDate(2002, 1, 12));
    c.setFilter(QString());
    EXPECT_TRUE(c.locate(QStringLiteral("FechaCubricion"), QDate(2002, 1, 11)));
    EXPECT_EQ(c.value(QStringLiteral("CodigoHembra")).toInt(), 6);
}

TEST(TableCursor, ListenersHearStateRecordAndValue) {
    TempFarm farm;
    addFemaleInCage(farm.db(), 1);
    TableCursor c(farm.db(), QStringLiteral("Hembras"), {QStringLiteral("CodigoHembra")});
    QStringList heard;
    const int id = c.subscribe([&](TableCursor::Change change, const QString& column) {
        heard << (change == TableCursor::Change::State    ? QStringLiteral("state")
                  : change == TableCursor::Change::Record ? QStringLiteral("record")
                                                          : QStringLiteral("value ") + column);
    });
    c.edit();
    c.setValue(QStringLiteral("jaula"), 2);
    c.post();
    EXPECT_EQ(heard, QStringList({"state", "value Jaula", "state", "record"}));
    heard.clear();
    c.unsubscribe(id);
    c.edit();
    EXPECT_TRUE(heard.isEmpty());
}

TEST(TableCursor, ValuesTakeTheirColumnsForm) {
    struct Case {
        const char* name;
        Kind kind;
        QVariant in;
        QVariant out;
    };
    const Case cases[] = {
        {"number from text", Kind::Number, QStringLiteral(" 57 "), 57.0},
        {"blank number is NULL", Kind::Number, QStringLiteral(""), QVariant()},
        {"number from int", Kind::Number, 3, 3.0},
        {"counter", Kind::Counter, 4.0, qint64(4)},
        {"date", Kind::Date, QDate(2002, 4, 23), QDate(2002, 4, 23)},
        {"date from ISO text", Kind::Date, QStringLiteral("2002-04-23"), QDate(2002, 4, 23)},
        {"date as typed", Kind::Date, QStringLiteral("23/04/2002"), QDate(2002, 4, 23)},
        {"null date", Kind::Date, QDate(), QVariant()},
        {"logical from word", Kind::Logical, QStringLiteral("True"), true},
        {"logical from number", Kind::Logical, 0, false},
        {"text from number", Kind::Text, 12, QStringLiteral("12")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TableCursor::normalized(c.kind, c.in), c.out) << c.name;
    EXPECT_THROW(TableCursor::normalized(Kind::Number, QStringLiteral("doce")), std::runtime_error);
    EXPECT_THROW(TableCursor::normalized(Kind::Date, QStringLiteral("31/02/2002")), InvalidDate);
}
