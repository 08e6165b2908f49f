// DbLink's batch run: the statements of sqlText, one after another on one connection, with
// every result, success and failure written into one result list.
#include "DbLink.h"

#include "../common/GridView.h"
#include "../common/StatusBar.h"
#include "DbLinkText.h"

using namespace ado;

namespace {

const int kBatchColumnWidth = 100;

// Result lists have no column titles and only ever gain columns during a batch.
void EnsureColumns(GridView& list, int wanted)
{
    if (list.ColumnCount() == 0)
        list.Clear();
    while (list.ColumnCount() < wanted)
        list.AddColumn("", kBatchColumnWidth);
}

void AddStatusRow(GridView& list, const char* first, const char* second, const char* statement)
{
    EnsureColumns(list, 3);
    list.AddRow();
    list.SetText(0, first);
    list.SetText(1, second);
    list.SetText(2, statement);
}

}  // namespace

int DbLink::RunBatch(GridView& list, StatusBar* status)
{
    return RunBatch(list, [status](const char* text) {
        if (status)
            status->SetSimpleText(text);
    });
}

int DbLink::RunBatch(GridView& list, const StatusSink& status)
{
    auto show = [&status](const char* text) {
        if (status)
            status(text);
    };
    show(dblink::kBatchCountingText);
    std::vector<VornString> pieces = dblink::SplitStatements(sqlText);
    int count = dblink::CountStatements(pieces);
    show(dblink::BatchCountText(count));

    EnsureObjects();
    long location = dblink::CursorLocationFor(record.kind);
    connection->SetCursorLocation(location);
    recordset->SetCursorLocation(location);
    if (FAILED(connection->Open(record.connectionString, "", "", -1))) {
        CollectConnectionErrors(connection.get());
        show(dblink::kBatchNoConnectionText);
        return -1;
    }

    list.Hide();
    int n = static_cast<int>(pieces.size());
    for (int i = 0; i < n; ++i) {
        show(dblink::BatchProgressText(n, i));
        VornString statement = dblink::TrimStatement(pieces[i]);
        if (statement.IsEmpty())
            continue;
        if (recordset->State() == adStateOpen)
            recordset->Close();
        recordsetConnection_ = connection.get();
        bool failed = FAILED(recordset->Open(statement, connection.get(), adOpenKeyset, adLockOptimistic, adCmdText));
        if (!failed && recordset->State() == adStateClosed) {
            AddStatusRow(list, dblink::kBatchNoRecordsetText, dblink::kBatchSucceededText, statement);
            continue;
        }
        if (!failed) {
            FieldList& fields = recordset->Fields();
            int fieldCount = static_cast<int>(fields.Count());
            EnsureColumns(list, fieldCount);
            list.AddRow();
            for (int j = 0; j < fieldCount; ++j) {
                VornString header(dblink::kBatchHeaderMark);
                header.Append(fields.Item(j)->Name());
                list.SetText(j, header);
            }
            failed = AddRows(list, *recordset, 0, ValueTextMode::IntegersByFormat) < 0;
            if (!failed) {
                recordCount = recordset->RecordCount();
                recordset->Close();
            }
        }
        if (failed) {
            CollectRecordsetErrors(recordset.get());
            if (recordset->State() == adStateOpen)
                recordset->Close();
            AddStatusRow(list, dblink::kBatchErrorText, ErrorText, statement);
            ErrorText.Append("\n");
            ErrorText.Append(statement);
        }
    }
    list.Show();
    connection->Close();
    show(dblink::BatchFinishedText(count));
    return count;
}
