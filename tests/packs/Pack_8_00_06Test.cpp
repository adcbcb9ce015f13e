#include "PackTestSupport.h"

#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_06.h"

namespace {

using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

class Pack_8_00_06Test : public pack_testing::PackTest<5> {};

TEST_F(Pack_8_00_06Test, ReachesItsStepTotalAndStampsEveryDatabaseItVisits) {
    EXPECT_EQ(packs::steps_8_00_06(), 58);

    ASSERT_TRUE(packs::dm_SP_8_00_06()) << ::testing::PrintToString(ui.messages);

    for (const char* name : {"Base", "Config", "Orders", "OrdersServer", "Price", "Pellix", "Grelto", "System"}) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 6)) << name;
    }
}

// r, s and rs become 1, 2 and 3; anything else, NULL included, 0.
TEST_F(Pack_8_00_06Test, CatalogueCodesAndSettingsAreCarriedOver) {
    sql("Base", "UPDATE fur_Material SET Element = CASE NumberMaterial WHEN 1 THEN 'r' WHEN 2 THEN 's' WHEN 3 THEN "
                "'rs' WHEN 4 THEN '' WHEN 5 THEN NULL ELSE 'R' END;");
    const std::string numberBase = value(db("Base"), "SELECT numberBase FROM kv_Setting");

    ASSERT_TRUE(packs::dm_SP_8_00_06()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Base"), "SELECT NumberMaterial, nElement FROM fur_Material ORDER BY 1"),
              (Rows{"1|1", "2|2", "3|3", "4|0", "5|0", "6|0"}));
    EXPECT_EQ(rows(db("Base"), "SELECT NumberMain, nElement FROM fur_Material2 ORDER BY 1"),
              (Rows{"1|1", "2|2", "3|3", "4|0", "5|0"}));
    EXPECT_FALSE(hasColumn(db("Base"), "fur_Material", "Element"));
    EXPECT_EQ(value(db("Base"), "SELECT numberBase7 FROM kv_Setting"), numberBase);
    EXPECT_EQ(value(db("Config"), "SELECT DISTINCT tBegin FROM set_Manager"), "30.12.1899");
    EXPECT_TRUE(hasTable(db("Config"), "Change_ProfilAccess"));
}

TEST_F(Pack_8_00_06Test, OrdersKeepTheirOldParametersAndColoursInArchiveTables) {
    const auto parameters = rows(db("Orders"), "SELECT NOM, NumberProduct, p_Parameter FROM Product ORDER BY 1, 2");
    const auto colours =
        rows(db("Orders"), "SELECT NOM, NumberProduct, NumberElement, FColor FROM k_Furnitura ORDER BY 1, 2, 3");

    ASSERT_TRUE(packs::dm_SP_8_00_06()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Orders"), "SELECT NOM, NumberProduct, p_Parameter FROM p_Parameter_Old_712 ORDER BY 1, 2"),
              parameters);
    EXPECT_EQ(rows(db("Orders"),
                   "SELECT NOM, NumberProduct, NumberElement, FColor FROM k_Furnitura_Old_712 ORDER BY 1, 2, 3"),
              colours);
    EXPECT_FALSE(hasColumn(db("Orders"), "Product", "p_Parameter"));
    EXPECT_FALSE(hasColumn(db("Orders"), "k_Furnitura", "FColor"));
    EXPECT_TRUE(hasTable(db("Orders"), "p_Parameter"));
    EXPECT_TRUE(hasTable(db("Orders"), "k_Parameter"));
}

// A write of the codes that the database refuses for one row leaves its table the text codes; the next
// run, with the write allowed again, codes every row.
TEST_F(Pack_8_00_06Test, ATextCodeIsDroppedOnlyOnceEveryRowHasItsNumber) {
    sql("Base", "UPDATE fur_Material SET Element = CASE NumberMaterial WHEN 1 THEN 'r' WHEN 2 THEN 's' WHEN 3 THEN "
                "'rs' ELSE NULL END;\n"
                "CREATE EXCEPTION ROW_HELD 'held';\n"
                "SET TERM ^ ;\n"
                "CREATE TRIGGER FUR_MATERIAL_HELD FOR fur_Material BEFORE UPDATE AS BEGIN\n"
                "  IF (NEW.NumberMaterial = 3) THEN EXCEPTION ROW_HELD;\n"
                "END^\n"
                "SET TERM ; ^");

    EXPECT_FALSE(packs::dm_SP_8_00_06());
    EXPECT_TRUE(hasColumn(db("Base"), "fur_Material", "Element"));
    EXPECT_FALSE(hasColumn(db("Base"), "fur_Material2", "Element"));

    sql("Base", "DROP TRIGGER FUR_MATERIAL_HELD;");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_06()) << ::testing::PrintToString(ui.messages);
    EXPECT_EQ(rows(db("Base"), "SELECT NumberMaterial, nElement FROM fur_Material ORDER BY 1"),
              (Rows{"1|1", "2|2", "3|3", "4|0", "5|0", "6|0"}));
    EXPECT_FALSE(hasColumn(db("Base"), "fur_Material", "Element"));
}

// A run after a failure later in the part archives the rows once, not twice,
// and one that finds a column archived (or coded) and dropped already goes on.
TEST_F(Pack_8_00_06Test, ARunAfterAFailureArchivesEveryRowOnce) {
    const std::string products = value(db("Orders"), "SELECT COUNT(*) FROM Product");
    // The view keeps k_Furnitura.FColor from being dropped: the part ends short.
    sql("Orders", "CREATE VIEW HOLDS_COLOUR AS SELECT FColor FROM k_Furnitura;");
    EXPECT_FALSE(packs::dm_SP_8_00_06());
    EXPECT_TRUE(hasColumn(db("Orders"), "k_Furnitura", "FColor"));

    sql("Orders", "DROP VIEW HOLDS_COLOUR;");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_06()) << ::testing::PrintToString(ui.runLog);
    EXPECT_EQ(rows(db("Base"), "SELECT DISTINCT nElement FROM fur_Material2 WHERE NumberMain = 3"), Rows{"3"});

    EXPECT_EQ(value(db("Orders"), "SELECT COUNT(*) FROM p_Parameter_Old_712"), products);
    EXPECT_EQ(value(db("Orders"), "SELECT COUNT(*) FROM k_Furnitura_Old_712"),
              value(db("OrdersServer"), "SELECT COUNT(*) FROM k_Furnitura_Old_712"));
}

} // namespace
