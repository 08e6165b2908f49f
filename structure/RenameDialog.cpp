#include "RenameDialog.h"

#include "common/MessageBoxes.h"
#include "resources/StructureDialogIds.h"
#include "structure/AlterTableSql.h"
#include "structure/NameAndRunDialog.h"
#include "structure/StructureGridDialog.h"   // ExecuteStatement

namespace {

class RenameDialog : public NameAndRunDialog {
public:
    explicit RenameDialog(const RenameContext& context)
        : NameAndRunDialog(IDD_RENAME, IDC_RENAME_RUN), context_(context)
    {
    }

private:
    void OnInit() override { SetDlgItemTextA(dialog_, IDC_RENAME_NAME, context_.oldName); }

    void OnRun() override
    {
        VornString newName = TrimmedCell(FieldText(IDC_RENAME_NAME));
        if (const char* problem = RenameProblem(context_.oldName, newName)) {
            ShowWarning(dialog_, problem);
            SetFocus(GetDlgItem(dialog_, IDC_RENAME_NAME));
            return;
        }
        SchemaBrowser& browser = *context_.browser;
        if (!ExecuteStatement(browser, RenameStatement(DdlTarget{browser.Kind(), browser.excelThroughDsn},
                                                       context_.oldName, newName))) {
            ShowWarning(dialog_, kRenameFailed);
            return;
        }
        ShowWarning(dialog_, kRenameDone);
        Finish(IDOK);
        if (context_.refreshMain)
            context_.refreshMain();
    }

    const RenameContext& context_;
};

}  // namespace

void RunRename(HWND owner, const RenameContext& context)
{
    if (!context.browser)
        return;
    RenameDialog dialog(context);
    dialog.Run(owner);
}
