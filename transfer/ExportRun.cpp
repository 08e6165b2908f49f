#include "ExportRun.h"

#include "ExportBridge.h"
#include "InsertWriter.h"
#include "StatementFileRunner.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/TextFile.h"
#include "db/ConnectionRecord.h"
#include "db/TypeCatalogue.h"
#include "schema/NameQuoting.h"
#include "transfer/ExportRules.h"

namespace {

class ExportPass {
public:
    ExportPass(HWND owner, const ExportContext& context, const ExportDestination& destination,
               const ExportChoices& choices)
        : owner_(owner), context_(context), source_(*context.source), destination_(destination), choices_(choices)
    {
        destinationLink_.messageSink = source_.messageSink;
        destinationLink_.BuildConnection(destination.kind, DestinationArgument(destination));
        destinationLink_.record.connectionString =
            DestinationConnectionString(destination.kind, destination.path, destination.server, destination.database,
                                        destination.user, destination.password);
        destinationReference_ = DestinationReference(destination.kind, destination.path, destination.server,
                                                     destination.database, destination.user, destination.password);
    }

    int Run(const std::vector<ExportSourceTable>& tables)
    {
        if (choices_.viaFile) {
            folder_.Clear();
            if (!ChooseFolder(folder_))
                return -1;
            folder_.AddBackslash();
        }
        if (!(choices_.viaFile && choices_.fileOnly) &&
            !OpenExportBridge(source_, context_.programFolder, source_.Kind(), destination_.kind)) {
            Ask(transfer::kExportBridgeUnavailable, MB_OK | MB_ICONEXCLAMATION);
            return -1;
        }
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        int done = 0;
        bool ended = false;
        for (const ExportSourceTable& table : tables) {
            VornString caption;
            caption.Format(transfer::kExportTableCaptionFormat, table.name.Text());
            Caption(caption);
            int result = ExportTable(table);
            if (result < 0) {
                ended = true;
                break;
            }
            done += result;
        }
        if (source_.exportConnection) {
            source_.exportConnection->Close();
            source_.exportConnection.reset();
        }
        SetCursor(previous);
        Caption(transfer::kExportFinished);
        return ended ? -1 : done;
    }

private:
    // 1 exported, 0 skipped, -1 the export ends.
    int ExportTable(const ExportSourceTable& table)
    {
        const VornString target = transfer::ExportTargetName(choices_.dataViewMode, table.name, choices_.nameBoxChecked,
                                                   choices_.nameText);
        transfer::ExportSource source;
        source.reference = source_.record.SourceDatabaseReference();
        source.table = table.name;
        if (choices_.dataViewMode) {
            source.columns = transfer::DataViewClause(source_.Kind(), table.columns);
            source.condition = transfer::DataViewClause(source_.Kind(), table.condition);
            source.order = transfer::DataViewClause(source_.Kind(), table.order);
        }
        if (!choices_.createByProgram || choices_.dataViewMode)
            return ExportThroughSelectInto(target, source);

        DefinitionRows definition;
        if (!context_.loadDefinition || !context_.loadDefinition(table.name, definition))
            return AskToContinue(source_.ErrorText);
        DefinitionRows mapped =
            table.mapped ? *table.mapped : MapDefinitionsForExport(definition, source_.Kind(), destination_.kind);
        VornString statementFile;
        if (choices_.viaFile) {
            statementFile = folder_;
            statementFile.Append(table.name);
            statementFile.Append(".sql");
            TextFile out;
            if (!out.OpenWrite(statementFile)) {
                VornString message;
                message.Format("%s のオープンに失敗しました", statementFile.Text());
                return AskToContinue(message);
            }
            WriteInsertStatements(source_, destination_.kind, EncloseName(source_.Kind(), table.name), definition, out,
                                  EncloseName(destination_.kind, target));
            out.Close();
            if (choices_.fileOnly)
                return 1;
        }
        VornString create = transfer::ExportCreateTable(destination_.kind, target, mapped,
                                                        choices_.addKey && destination_.kind != DatabaseKind::Excel);
        if (!destinationLink_.OpenConnection()) {
            int answer = AskToContinue(destinationLink_.ErrorText);
            return answer;
        }
        int created = destinationLink_.ExecuteText(create);
        destinationLink_.CloseConnection();
        if (!created) {
            VornString question;
            question.Format(transfer::kExportAddDataFormat, destinationLink_.ErrorText.Text());
            int answer = Ask(question, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
            if (answer == IDCANCEL)
                return -1;
            if (answer == IDNO)
                return 0;
        }
        if (choices_.viaFile) {
            RunStatementFile(owner_, destinationLink_, statementFile);
            return 1;
        }
        return RunInsert(target, source);
    }

    int ExportThroughSelectInto(const VornString& target, const transfer::ExportSource& source)
    {
        VornString statement = transfer::ExportSelectIntoStatement(destinationReference_, target, source);
        int result = source_.ExecuteAndClassify(statement, destination_.kind);
        if (result == 0)
            return 1;
        if (result == 1) {
            VornString question;
            question.Format(transfer::kExportExistsFormat, target.Text());
            if (Ask(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
                return 0;
            return RunInsert(target, source);
        }
        return AskToContinue(source_.ErrorText);
    }

    int RunInsert(const VornString& target, const transfer::ExportSource& source)
    {
        VornString statement = transfer::ExportInsertStatement(destinationReference_, target, source);
        if (source_.ExecuteAndClassify(statement, destination_.kind) == 0)
            return 1;
        return AskToContinue(source_.ErrorText);
    }

    // 0 to go on with the next table, -1 to end.
    int AskToContinue(const char* errorText)
    {
        VornString question;
        question.Format(transfer::kExportContinueFormat, errorText);
        return Ask(question, MB_YESNO | MB_ICONQUESTION) == IDYES ? 0 : -1;
    }

    int Ask(const char* text, UINT buttons)
    {
        if (context_.prompts.ask)
            return context_.prompts.ask(owner_, text, buttons);
        return MessageBoxA(owner_, text, kMessageCaption, buttons);
    }

    bool ChooseFolder(VornString& folder)
    {
        if (context_.prompts.chooseFolder)
            return context_.prompts.chooseFolder(owner_, transfer::kExportFolderTitle, folder);
        return ::ChooseFolder(owner_, folder, transfer::kExportFolderTitle);
    }

    void Caption(const char* text)
    {
        if (context_.prompts.caption)
            context_.prompts.caption(owner_, text);
        else if (owner_)
            SetWindowTextA(owner_, text);
    }

    HWND owner_;
    const ExportContext& context_;
    DbLink& source_;
    const ExportDestination& destination_;
    const ExportChoices& choices_;
    DbLink destinationLink_;
    VornString destinationReference_;
    VornString folder_;
};

}  // namespace

VornString DestinationArgument(const ExportDestination& destination)
{
    VornString argument;
    switch (destination.kind) {
    case DatabaseKind::Excel:
    case DatabaseKind::Mdb:
        return destination.path;
    case DatabaseKind::Oracle:
        argument.Format("%s,%s,%s", destination.server.Text(), destination.user.Text(), destination.password.Text());
        return argument;
    default:
        argument.Format("%s,%s,%s,%s", destination.server.Text(), destination.database.Text(),
                        destination.user.Text(), destination.password.Text());
        return argument;
    }
}

int RunExport(HWND owner, const ExportContext& context, const ExportDestination& destination,
              const ExportChoices& choices, const std::vector<ExportSourceTable>& tables)
{
    if (!context.source || tables.empty())
        return -1;
    ExportPass pass(owner, context, destination, choices);
    return pass.Run(tables);
}
