#include <windows.h>

#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

#include "RegistryTestSupport.h"
#include "framework/commands/RegistryArchiver.h"
#include "platform/MemFile.h"

namespace {

std::vector<BYTE> Pattern(size_t size)
{
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + 3);
    return bytes;
}

CString Name(const char* format, DWORD number)
{
    CString name;
    name.Format(format, number);
    return name;
}

TEST(RegistryIntegrity, KnownVectors)
{
    struct Case
    {
        std::vector<BYTE> bytes;
        const char* text;
    } cases[] = {
        {{}, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {{1, 2, 3, 4}, "00 00 00 01 00 00 00 02 00 00 00 03 00 00 00 04"},
        {{1, 2, 3, 4, 5}, "00 00 00 15 00 00 00 02 00 00 00 03 00 00 00 04"},
        // Nine bytes into the first accumulator, eight into the others: the high nibble folds.
        {std::vector<BYTE>(33, 0xFF), "00 01 0F EF 00 00 10 EF 00 00 10 EF 00 00 10 EF"},
    };
    for (const Case& c : cases) {
        CRegistryIntegrity integrity;
        integrity.Feed(c.bytes.data(), static_cast<UINT>(c.bytes.size()));
        EXPECT_STREQ(c.text, integrity.Text()) << c.bytes.size();
        EXPECT_EQ(47, integrity.Text().GetLength());
    }
}

TEST(RegistryPath, BuildsTheFrameworkPathWithUnsafeCharactersReplaced)
{
    EXPECT_STREQ("Software\\vantrel\\Quorvex\\Dockmere227\\Profiles\\Quorvex\\CommandManager",
                 BuildCommandProfileKeyPath("Quorvex", "vantrel", "Quorvex"));
    EXPECT_STREQ("Software\\k\\a\\Dockmere227\\Profiles\\p_r_o_f_i_e\\ControlBar",
                 BuildFrameworkRegistryPath("ControlBar", "p?r\to\rf\ni*e", "k", "a"));
}

class RegistryArchiver : public RegistryArea
{
protected:
    bool Save(const std::vector<BYTE>& bytes)
    {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        return SaveBlobToRegistry(file, Path().c_str(), HKEY_CURRENT_USER);
    }
    bool Load(std::vector<BYTE>& bytes)
    {
        CMemFile file;
        const bool loaded = LoadBlobFromRegistry(file, Path().c_str(), HKEY_CURRENT_USER);
        EXPECT_EQ(0u, file.GetPosition());
        bytes = file.Detach();
        return loaded;
    }
    void ExpectLayout(const std::vector<BYTE>& bytes)
    {
        const DWORD size = static_cast<DWORD>(bytes.size());
        EXPECT_EQ(REG_DWORD, Value("", "data_size").first);
        EXPECT_EQ(std::vector<BYTE>(reinterpret_cast<const BYTE*>(&size),
                                    reinterpret_cast<const BYTE*>(&size) + 4),
                  Value("", "data_size").second);
        const DWORD values = (size + 15) / 16;
        for (DWORD i = 0; i < values; ++i) {
            const std::string block(Name("block_0x%08lX", i / 128));
            const auto value = Value(block, Name("data_0x%08lX", i));
            EXPECT_EQ(REG_BINARY, value.first) << i;
            const size_t begin = i * 16;
            const size_t end = std::min<size_t>(begin + 16, bytes.size());
            EXPECT_EQ(std::vector<BYTE>(bytes.begin() + begin, bytes.begin() + end), value.second)
                << i;
        }
        EXPECT_EQ(REG_NONE, Value(std::string(Name("block_0x%08lX", (values - 1) / 128)),
                                  Name("data_0x%08lX", values))
                                .first);
        EXPECT_EQ((values + 127) / 128, SubkeyCount(""));

        CRegistryIntegrity integrity;
        integrity.Feed(bytes.data(), size);
        const CString text = integrity.Text();
        EXPECT_EQ(REG_SZ, Value("", "data_integrity").first);
        EXPECT_EQ(std::vector<BYTE>(text.GetString(), text.GetString() + text.GetLength() + 1),
                  Value("", "data_integrity").second);
        const char generator[] = "Dock-Mere v. 2.2.7.1 registry archiver";
        EXPECT_EQ(std::vector<BYTE>(generator, generator + sizeof generator),
                  Value("", "data_generator").second);
    }
};

TEST_F(RegistryArchiver, LayoutsValueByValueAndBack)
{
    for (size_t size : {300u, 2050u, 16u, 1u}) {
        const std::vector<BYTE> bytes = Pattern(size);
        ASSERT_TRUE(Save(bytes)) << size;
        ExpectLayout(bytes);
        std::vector<BYTE> loaded;
        EXPECT_TRUE(Load(loaded)) << size;
        EXPECT_EQ(bytes, loaded) << size;
    }
    // The two layouts of the table: 19 values in one block, and 129 over two blocks.
    ASSERT_TRUE(Save(Pattern(300)));
    EXPECT_EQ(12u, Value("block_0x00000000", "data_0x00000012").second.size());
    ASSERT_TRUE(Save(Pattern(2050)));
    EXPECT_EQ(2u, Value("block_0x00000001", "data_0x00000080").second.size());
    EXPECT_EQ(16u, Value("block_0x00000000", "data_0x0000007F").second.size());
}

TEST_F(RegistryArchiver, AShorterStateLeavesNoOldBlockBehind)
{
    ASSERT_TRUE(Save(Pattern(2050)));
    ASSERT_TRUE(KeyExists("block_0x00000001"));
    ASSERT_TRUE(Save(Pattern(300)));
    EXPECT_FALSE(KeyExists("block_0x00000001"));
    EXPECT_EQ(REG_NONE, Value("block_0x00000000", "data_0x00000013").first);
    ExpectLayout(Pattern(300));
}

TEST_F(RegistryArchiver, EmptyDataHasOnlyItsSizeAndTexts)
{
    ASSERT_TRUE(Save({}));
    EXPECT_EQ(0u, SubkeyCount(""));
    EXPECT_STREQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
                 reinterpret_cast<const char*>(Value("", "data_integrity").second.data()));
    std::vector<BYTE> loaded;
    EXPECT_TRUE(Load(loaded));
    EXPECT_TRUE(loaded.empty());
}

TEST_F(RegistryArchiver, DamagedArchivesAreRefusedAndGiveNoBytes)
{
    const std::vector<BYTE> good = Pattern(300);
    struct Case
    {
        const char* what;
        void (*damage)(RegistryArchiver& test);
    } cases[] = {
        {"flipped byte",
         [](RegistryArchiver& t) {
             auto value = t.Value("block_0x00000000", "data_0x00000005");
             value.second[3] ^= 0x01;
             t.SetValue("block_0x00000000", "data_0x00000005", REG_BINARY, value.second);
         }},
        {"short value",
         [](RegistryArchiver& t) {
             auto value = t.Value("block_0x00000000", "data_0x00000005");
             value.second.resize(15);
             t.SetValue("block_0x00000000", "data_0x00000005", REG_BINARY, value.second);
         }},
        {"long last value",
         [](RegistryArchiver& t) {
             t.SetValue("block_0x00000000", "data_0x00000012", REG_BINARY,
                        std::vector<BYTE>(16, 0));
         }},
        {"value of another type",
         [](RegistryArchiver& t) {
             auto value = t.Value("block_0x00000000", "data_0x00000001");
             t.SetValue("block_0x00000000", "data_0x00000001", REG_SZ, value.second);
         }},
        {"size past the data",
         [](RegistryArchiver& t) {
             const DWORD size = 0xFFFFFFF0u;
             t.SetValue("", "data_size", REG_DWORD,
                        {reinterpret_cast<const BYTE*>(&size), reinterpret_cast<const BYTE*>(&size) + 4});
         }},
        {"smaller size",
         [](RegistryArchiver& t) {
             const DWORD size = 299;
             t.SetValue("", "data_size", REG_DWORD,
                        {reinterpret_cast<const BYTE*>(&size), reinterpret_cast<const BYTE*>(&size) + 4});
         }},
        {"size of another type",
         [](RegistryArchiver& t) { t.SetValue("", "data_size", REG_BINARY, {44, 1, 0, 0}); }},
        {"integrity missing",
         [](RegistryArchiver& t) {
             HKEY key;
             RegOpenKeyExA(HKEY_CURRENT_USER, t.Path().c_str(), 0, KEY_SET_VALUE, &key);
             RegDeleteValueA(key, "data_integrity");
             RegCloseKey(key);
         }},
        {"integrity too long",
         [](RegistryArchiver& t) {
             auto value = t.Value("", "data_integrity");
             value.second.back() = ' ';
             value.second.push_back('0');
             value.second.push_back(0);
             t.SetValue("", "data_integrity", REG_SZ, value.second);
         }},
        {"integrity without its zero",
         [](RegistryArchiver& t) {
             auto value = t.Value("", "data_integrity");
             value.second.pop_back();
             value.second.back() ^= 1;
             t.SetValue("", "data_integrity", REG_BINARY, value.second);
         }},
        {"block missing",
         [](RegistryArchiver& t) { RegDeleteTreeA(HKEY_CURRENT_USER, t.Path("block_0x00000000").c_str()); }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Save(good));
        c.damage(*this);
        std::vector<BYTE> loaded;
        EXPECT_FALSE(Load(loaded)) << c.what;
        EXPECT_TRUE(loaded.empty()) << c.what;
    }
    // The generator text is not checked.
    ASSERT_TRUE(Save(good));
    SetValue("", "data_generator", REG_SZ, {'x', 0});
    std::vector<BYTE> loaded;
    EXPECT_TRUE(Load(loaded));
}

TEST_F(RegistryArchiver, MissingKeyOrPathFails)
{
    std::vector<BYTE> loaded;
    EXPECT_FALSE(Load(loaded));
    CMemFile file;
    EXPECT_FALSE(SaveBlobToRegistry(file, nullptr, HKEY_CURRENT_USER));
    EXPECT_FALSE(LoadBlobFromRegistry(file, nullptr, HKEY_CURRENT_USER));
}

} // namespace
