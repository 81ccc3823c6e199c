// Named values over a real INI file: every kind round-trips with its kind, declarations, the cipherer.
#include "layout/layout_manager_ini_storage.h"
#include "layout/layout_manager_values.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

class NamedValues : public testing::Test
{
protected:
    NamedValues()
    {
        Storage = std::make_shared<qn::TLayoutManagerINIStorage>(Dir + "/q.ini");
        Values.SetStorage(Storage);
    }

    std::string Text() const
    {
        std::ifstream in(Dir + "/q.ini", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    qn::test::TTempFolder Folder;
    const std::string Dir = Folder.Path();
    std::shared_ptr<qn::TLayoutManagerINIStorage> Storage;
    qn::TLayoutManagerValues Values;
};

TEST_F(NamedValues, EveryKindIsWrittenInItsFormAndComesBackWithItsKind)
{
    Values.AddItem("eth0", true);
    Values.AddItem("small", std::int8_t{-5});
    Values.AddItem("count", std::uint32_t{4000000000u});
    Values.AddItem("ratio", 0.25f);
    Values.AddItem("money", qn::TCurrency{12345});
    Values.AddItem("when", qn::TDateTime{46364.5});
    Values.AddItem("name", std::string("Quarno"));
    Values.AddItem("huge", std::uint64_t{18446744073709551615ull});
    Values.AddItem("nothing", std::monostate{});
    Values.Save();
    EXPECT_EQ(Text(), "[Settings]\neth0=1\nsmall=-5\ncount=4000000000\nratio=0.25\nmoney=1.2345\n"
                      "when=2026-12-08 12:00:00\nname=Quarno\nhuge=18446744073709551615\nnothing=\n");
    EXPECT_FALSE(Storage->GetOpened()) << "each value closes the storage";

    // Different values of the same kinds, then read back.
    Values.ItemByName("eth0")->SetValue(false);
    Values.ItemByName("small")->SetValue(std::int8_t{0});
    Values.ItemByName("ratio")->SetValue(0.0f);
    Values.ItemByName("when")->SetValue(qn::TDateTime{0});
    Values.ItemByName("name")->SetValue(std::string());
    Values.Restore();
    EXPECT_EQ(Values.ItemByName("ETH0")->Value(), qn::TLayoutManagerVariant(true));
    EXPECT_EQ(Values.ItemByName("small")->Value(), qn::TLayoutManagerVariant(std::int64_t{-5}));
    EXPECT_EQ(Values.ItemByName("count")->Value(), qn::TLayoutManagerVariant(std::int64_t{4000000000}));
    EXPECT_EQ(Values.ItemByName("ratio")->Value(), qn::TLayoutManagerVariant(0.25));
    EXPECT_EQ(Values.ItemByName("money")->Value(), qn::TLayoutManagerVariant(1.2345));
    EXPECT_EQ(Values.ItemByName("when")->Value(), qn::TLayoutManagerVariant(qn::TDateTime{46364.5}));
    EXPECT_EQ(Values.ItemByName("name")->Value(), qn::TLayoutManagerVariant(std::string("Quarno")));
    EXPECT_EQ(Values.ItemByName("huge")->Value(), qn::TLayoutManagerVariant(std::string("18446744073709551615")));
    EXPECT_EQ(Values.ItemByName("nothing")->Value(), qn::TLayoutManagerVariant(std::string()));
}

TEST_F(NamedValues, MissingOrDamagedKeysKeepTheCurrentValue)
{
    std::ofstream(Dir + "/q.ini") << "[Settings]\neth0=yes\ncount=12abc\n";
    Values.AddItem("eth0", true);
    Values.AddItem("count", std::int32_t{7});
    Values.AddItem("absent", 2.5);
    Values.Restore();
    EXPECT_EQ(Values.ItemByName("eth0")->Value(), qn::TLayoutManagerVariant(true));
    EXPECT_EQ(Values.ItemByName("count")->Value(), qn::TLayoutManagerVariant(std::int64_t{7}));
    EXPECT_EQ(Values.ItemByName("absent")->Value(), qn::TLayoutManagerVariant(2.5));
}

TEST_F(NamedValues, DeclaringAgainKeepsTheFirstItemAndNamesStayUnique)
{
    qn::TLayoutManagerValue& eth0 = Values.AddItem("eth0", true);
    qn::TLayoutManagerValue& again = Values.AddItem("ETH0", false);
    EXPECT_EQ(&eth0, &again);
    EXPECT_EQ(Values.Count(), 1);
    EXPECT_EQ(eth0.Value(), qn::TLayoutManagerVariant(true));

    qn::TLayoutManagerValue& lo = Values.AddItem("lo", false);
    try {
        lo.SetName("Eth0");
        FAIL() << "a duplicate name must be refused";
    } catch (const qn::ELayoutManager& e) {
        EXPECT_STREQ(e.what(), "TLayoutManagerValue: Duplicates not allowed");
    }
    EXPECT_EQ(lo.Name(), "lo");
    Values.AddItem();
    Values.AddItem(); // unnamed items do not clash
    EXPECT_EQ(Values.IndexOf("LO"), 1);

    qn::TLayoutManagerValues copy;
    copy.Assign(Values);
    EXPECT_EQ(copy.Count(), 4);
    EXPECT_EQ(copy.ItemByName("eth0")->Value(), qn::TLayoutManagerVariant(true));
}

TEST_F(NamedValues, AKeyedValueTravelsThroughTheCipherer)
{
    qn::TLayoutManagerCipherer cph;
    EXPECT_EQ(cph.EncryptText("", "k"), "");
    EXPECT_EQ(cph.EncryptText("AB", ""), "4142");
    // Byte i is combined with key byte (i + 1) mod key length: 'A'^'y', 'B'^'k'.
    EXPECT_EQ(cph.EncryptText("AB", "ky"), "3829");
    EXPECT_EQ(cph.DecryptText("3829", "ky"), "AB");
    EXPECT_EQ(cph.DecryptText("3G29", "ky"), "");
    EXPECT_EQ(cph.DecryptText("382", "ky"), "");

    Values.AddItem("secret", std::string("p\xC3\xA4ss"), "key");
    Values.Save();
    EXPECT_EQ(Text().find("p\xC3\xA4ss"), std::string::npos);
    Values.ItemByName("secret")->SetValue(std::string("other"));
    Values.Restore();
    EXPECT_EQ(Values.ItemByName("secret")->Value(), qn::TLayoutManagerVariant(std::string("p\xC3\xA4ss")));
}

TEST_F(NamedValues, NothingHappensWithoutStorageAndFailuresCloseIt)
{
    qn::TLayoutManagerValues loose;
    loose.AddItem("eth0", true);
    EXPECT_NO_THROW(loose.Save());
    EXPECT_NO_THROW(loose.Restore());

    std::ofstream(Dir + "/plain") << "a file where a folder should be";
    Storage->SetFileName(Dir + "/plain/q.ini");
    Values.AddItem("eth0", true);
    EXPECT_THROW(Values.Save(), std::runtime_error);
    EXPECT_FALSE(Storage->GetOpened());
}

} // namespace
