#include "core/log/LogStore.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/log/LogRowText.h"
#include "tests/log/LogSamples.h"

namespace {

using Numbers = std::vector<int>;

class LogStoreTest : public ::testing::Test
{
protected:
    LogStoreTest()
    {
        ShowEveryKind(settings, LOG_SHOW_ROW);
        common.m_maxLog = 10;
    }

    void Hide(int port, int kind) { settings.m_logFilter[port][kind] = 0; }

    CLogStore::AddResult Add(int port = 0, int kind = LOG_KIND_RECEIVED, bool autoSave = false)
    {
        CLogRecord record(port, 0);
        record.m_kind = kind;
        return store.Add(record, settings, common, autoSave);
    }

    void AddMany(int count)
    {
        for (int i = 0; i < count; ++i)
            Add();
    }

    // Selects a row: the number of the record the pane is given, -1 for none.
    int ShowRow(int row)
    {
        const CLogRecord* record = store.ShowRecordOfRow(row);
        return record ? record->m_sequence : -1;
    }

    Numbers RecordNumbers() const
    {
        Numbers numbers;
        for (int i = 0; i < store.GetRecordCount(); ++i)
            numbers.push_back(store.GetRecord(i)->m_sequence);
        return numbers;
    }

    Numbers RowNumbers() const
    {
        Numbers numbers;
        for (int row = 0; row < store.GetRowCount(); ++row) {
            const CLogRecord* record = store.GetRecordOfRow(row);
            numbers.push_back(record ? record->m_sequence : -1);
        }
        return numbers;
    }

    CCommSettings settings;
    CCommonSettings common{"1.0.0.0"};
    std::vector<CLogRecord> autoSaved;
    CLogStore store{[this](const CLogRecord& record) { autoSaved.push_back(record); }};
};

Numbers Range(int first, int last)
{
    Numbers numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

TEST_F(LogStoreTest, AddNumbersTheCallersRecordAndStoresACopy)
{
    CLogRecord record(1, 2);
    record.m_kind = LOG_KIND_SENT;
    record.m_sequence = 1234;
    record.m_data.CreateOneDim(VT_UI1, 3, "xyz");

    const CLogStore::AddResult result = store.Add(record, settings, common, false);
    EXPECT_EQ(0, result.deletedRows);
    EXPECT_FALSE(result.clearDetail);
    EXPECT_TRUE(result.rowAdded);
    EXPECT_EQ(0, record.m_sequence);
    ASSERT_EQ(1, store.GetRecordCount());
    EXPECT_TRUE(*store.GetRecord(0) == record);

    record.m_data.GetData()[0] = 'X';
    EXPECT_EQ('x', store.GetRecord(0)->m_data.GetData()[0]) << "the caller keeps its own bytes";
    store.Add(record, settings, common, false);
    EXPECT_EQ(1, record.m_sequence);
    EXPECT_EQ((Numbers{0, 1}), RecordNumbers());
}

TEST_F(LogStoreTest, EleventhRecordUnderMaxLogTenDropsTheFirstAndItsRow)
{
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(0, Add().deletedRows);
    const CLogStore::AddResult result = Add();
    EXPECT_EQ(1, result.deletedRows);
    EXPECT_TRUE(result.rowAdded);

    ASSERT_EQ(10, store.GetRowCount());
    for (int row = 0; row < 10; ++row) {
        const CLogRecord* record = store.GetRecordOfRow(row);
        ASSERT_NE(nullptr, record);
        CString expected;
        expected.Format("%04d", row + 2);
        EXPECT_EQ(expected, FormatLogNumber(*record));
    }
    EXPECT_EQ(Range(1, 10), RecordNumbers());
}

TEST_F(LogStoreTest, NumberingStartsAgainAfter9999Records)
{
    AddMany(9999);
    ASSERT_NE(nullptr, store.GetRecordOfRow(9));
    EXPECT_EQ("9999", FormatLogNumber(*store.GetRecordOfRow(9)));

    CLogRecord record;
    record.m_kind = LOG_KIND_RECEIVED;
    store.Add(record, settings, common, false);
    EXPECT_EQ(0, record.m_sequence);
    ASSERT_NE(nullptr, store.GetRecordOfRow(9));
    EXPECT_EQ("0001", FormatLogNumber(*store.GetRecordOfRow(9)));
    Numbers expected = Range(9990, 9998);
    expected.push_back(0);
    EXPECT_EQ(expected, RecordNumbers());
    EXPECT_EQ(expected, RowNumbers());
}

TEST_F(LogStoreTest, HiddenRecordsAreStoredAndCountTowardMaxLog)
{
    common.m_maxLog = 4;
    Hide(0, LOG_KIND_SENT);
    // Hidden 0, shown 1, hidden 2, shown 3.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(i % 2 == 1, Add(i % 2, LOG_KIND_SENT).rowAdded);
    EXPECT_EQ((Numbers{1, 3}), RowNumbers());

    const struct
    {
        int port;
        int deletedRows;
        bool rowAdded;
        Numbers rows;
    } steps[] = {
        {1, 0, true, {1, 3, 4}},  // trims hidden 0: no row goes
        {0, 1, false, {3, 4}},    // trims shown 1
        {0, 0, false, {3, 4}},    // trims hidden 2
        {0, 1, false, {4}},       // trims shown 3
    };
    for (const auto& step : steps) {
        const CLogStore::AddResult result = Add(step.port, LOG_KIND_SENT);
        EXPECT_EQ(step.deletedRows, result.deletedRows);
        EXPECT_EQ(step.rowAdded, result.rowAdded);
        EXPECT_EQ(step.rows, RowNumbers());
        EXPECT_EQ(4, store.GetRecordCount());
    }
}

TEST_F(LogStoreTest, LoweredMaxLogTrimsSeveralRecordsInOneAdd)
{
    Hide(1, LOG_KIND_RECEIVED);
    for (int i = 0; i < 10; ++i)
        Add(i == 3 ? 1 : 0);
    common.m_maxLog = 5;

    const CLogStore::AddResult result = Add();
    EXPECT_EQ(5, result.deletedRows) << "six records go, one of them without a row";
    EXPECT_EQ(Range(6, 10), RecordNumbers());
    EXPECT_EQ(Range(6, 10), RowNumbers());
}

TEST_F(LogStoreTest, TrimmingTheShownRecordClearsTheDetailPane)
{
    AddMany(10);
    EXPECT_EQ(0, ShowRow(0));
    EXPECT_TRUE(Add().clearDetail);
    EXPECT_FALSE(Add().clearDetail) << "record 1 was not shown";

    EXPECT_EQ(3, ShowRow(1));
    store.ForgetShownRecord();
    Add();
    const CLogStore::AddResult result = Add();
    EXPECT_FALSE(result.clearDetail) << "the pane was cleared already";
    EXPECT_EQ(1, result.deletedRows) << "record 3's row goes all the same";
}

TEST_F(LogStoreTest, MaxLogIsComparedUnsignedAndCappedToTheNumberRange)
{
    const struct
    {
        int maxLog;
        int kept;
    } cases[] = {
        {0, 1}, {1, 1}, {10, 10}, {9999, 9999}, {20000, 9999}, {-1, 9999},
    };
    for (const auto& c : cases) {
        store.Clear();
        common.m_maxLog = c.maxLog;
        AddMany(10005);
        EXPECT_EQ(c.kept, store.GetRecordCount()) << "MAXLOG " << c.maxLog;
        for (int i = 0; i < store.GetRecordCount(); ++i) {
            const CLogRecord* record = store.GetRecord(i);
            ASSERT_EQ(record, store.FindRecord(record->m_sequence)) << "MAXLOG " << c.maxLog;
        }
    }
}

TEST_F(LogStoreTest, LookupByNumberAfterManyWrapsAndTrims)
{
    common.m_maxLog = 1000;
    Hide(1, LOG_KIND_RECEIVED);
    // The last 1000 of 3 * 9999 + 500 records: numbers 9499 to 9998, then 0 to 499.
    Numbers shownNumbers;
    for (int i = 0; i < 3 * 9999 + 500; ++i) {
        CLogRecord record(i % 3 == 0 ? 1 : 0, 0);
        record.m_kind = LOG_KIND_RECEIVED;
        if (store.Add(record, settings, common, false).rowAdded)
            shownNumbers.push_back(record.m_sequence);
    }
    ASSERT_EQ(1000, store.GetRecordCount());
    EXPECT_EQ(9499, store.GetRecord(0)->m_sequence);
    EXPECT_EQ(499, store.GetRecord(999)->m_sequence);

    int found = 0;
    for (int number = -1; number <= CLogStore::kNumberCount; ++number) {
        const CLogRecord* record = store.FindRecord(number);
        const bool stored =
            (number >= 9499 && number < CLogStore::kNumberCount) || (number >= 0 && number <= 499);
        ASSERT_EQ(stored, record != nullptr) << number;
        if (record) {
            ASSERT_EQ(number, record->m_sequence);
            ++found;
        }
    }
    EXPECT_EQ(1000, found);

    const Numbers expectedRows(shownNumbers.end() - store.GetRowCount(), shownNumbers.end());
    EXPECT_EQ(expectedRows, RowNumbers());
    EXPECT_EQ(667, store.GetRowCount());

    for (int row = 0; row < store.GetRowCount(); ++row)
        ASSERT_EQ(row, store.FindRowOfRecord(expectedRows[row])) << row;
    // Hidden (port 2), trimmed, out of range.
    for (int number : {9501, 9498, 500, -1, CLogStore::kNumberCount})
        EXPECT_EQ(-1, store.FindRowOfRecord(number)) << number;
}

TEST_F(LogStoreTest, OutOfRangeLookupsGiveNothing)
{
    AddMany(3);
    EXPECT_EQ(nullptr, store.GetRecord(-1));
    EXPECT_EQ(nullptr, store.GetRecord(3));
    EXPECT_EQ(nullptr, store.GetRecordOfRow(-1));
    EXPECT_EQ(nullptr, store.GetRecordOfRow(3));
    EXPECT_EQ(-1, ShowRow(3));
    EXPECT_EQ(nullptr, store.FindRecord(3));
}

TEST_F(LogStoreTest, ClearEmptiesTheLogRestartsNumberingAndForgetsTheShownRecord)
{
    AddMany(10);
    ShowRow(0);
    store.Clear();
    EXPECT_EQ(0, store.GetRecordCount());
    EXPECT_EQ(0, store.GetRowCount());
    EXPECT_EQ(nullptr, store.FindRecord(0));

    AddMany(10);
    EXPECT_EQ(Range(0, 9), RecordNumbers());
    EXPECT_FALSE(Add().clearDetail) << "the new record 0 was never shown";
}

TEST_F(LogStoreTest, RebuildKeepsNumbersAndFollowsTheCurrentSettings)
{
    // Records 0 to 5 alternate between the ports.
    for (int i = 0; i < 6; ++i)
        Add(i % 2);
    ShowRow(2);

    Hide(1, LOG_KIND_RECEIVED);
    store.Rebuild(settings, common);
    EXPECT_EQ(Range(0, 5), RecordNumbers());
    EXPECT_EQ((Numbers{0, 2, 4}), RowNumbers());

    common.m_maxLog = 3;
    settings.m_logFilter[1][LOG_KIND_RECEIVED] = LOG_SHOW_ROW;
    Hide(0, LOG_KIND_RECEIVED);
    store.Rebuild(settings, common);
    EXPECT_EQ(Range(3, 5), RecordNumbers());
    EXPECT_EQ((Numbers{3, 5}), RowNumbers());

    CLogRecord next;
    next.m_port = 1;
    next.m_kind = LOG_KIND_RECEIVED;
    const CLogStore::AddResult result = store.Add(next, settings, common, false);
    EXPECT_EQ(6, next.m_sequence);
    EXPECT_EQ(1, result.deletedRows);
    EXPECT_EQ((Numbers{5, 6}), RowNumbers());

    // Records 4 (hidden), 5 and 6 remain; 5 is shown, then rebuilt away from the pane.
    EXPECT_EQ(5, ShowRow(0));
    store.Rebuild(settings, common);
    Add(1);
    EXPECT_FALSE(Add(1).clearDetail) << "a rebuild forgets the shown record";
}

TEST_F(LogStoreTest, AutoSaveOnlyWhenAskedAndSwitchedOn)
{
    Hide(0, LOG_KIND_MESSAGE);
    const struct
    {
        bool asked;
        int autoSave;
        int kind;
        bool saved;
    } cases[] = {
        {true, 1, LOG_KIND_RECEIVED, true},
        {true, 2, LOG_KIND_SENT, true},
        {true, 1, LOG_KIND_MESSAGE, true},  // hidden records are saved too
        {true, 0, LOG_KIND_RECEIVED, false},
        {false, 1, LOG_KIND_RECEIVED, false},
    };
    int number = 0;
    for (const auto& c : cases) {
        autoSaved.clear();
        common.m_autoSave = c.autoSave;
        Add(0, c.kind, c.asked);
        ASSERT_EQ(c.saved ? 1u : 0u, autoSaved.size()) << "case " << number;
        if (c.saved) {
            EXPECT_EQ(number, autoSaved[0].m_sequence) << "saved after numbering";
            EXPECT_EQ(c.kind, autoSaved[0].m_kind);
        }
        ++number;
    }
}

} // namespace
