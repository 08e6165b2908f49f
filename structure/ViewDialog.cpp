#include "ViewDialog.h"

#include "common/MessageBoxes.h"
#include "resources/StructureDialogIds.h"
#include "structure/NameAndRunDialog.h"
#include "structure/StructureGridDialog.h"   // ExecuteStatement
#include "structure/ViewSql.h"

namespace {

class ViewDialog : public NameAndRunDialog {
public:
    explicit ViewDialog(const ViewContext& context) : NameAndRunDialog(IDD_CREATE_VIEW, IDC_VIEW_RUN), context_(context) {}

private:
    void OnRun() override
    {
        SchemaBrowser& browser = *context_.browser;
        VornString statement;
        BuildOutcome outcome = BuildCreateView(DdlTarget{browser.Kind(), browser.excelThroughDsn},
                                               FieldText(IDC_VIEW_NAME), context_.preparedQuery(), statement);
        if (!outcome.Ok()) {
            ShowWarning(dialog_, outcome.message);
            SetFocus(GetDlgItem(dialog_, IDC_VIEW_NAME));
            return;
        }
        if (!ExecuteStatement(browser, statement)) {
            // The name stays for another try.
            ShowWarning(dialog_, browser.ErrorText);
            return;
        }
        ShowWarning(dialog_, kViewCreated);
        if (context_.refreshMain)
            context_.refreshMain();
        Finish(IDOK);
    }

    const ViewContext& context_;
};

}  // namespace

void RunCreateView(HWND owner, const ViewContext& context)
{
    if (!context.browser || !ViewCreationOffered(context.browser->Kind()) || !context.preparedQuery)
        return;
    if (const char* problem = ViewCommandProblem(context.executionType, context.preparedQuery())) {
        ShowWarning(owner, problem);
        return;
    }
    ViewDialog dialog(context);
    dialog.Run(owner);
}
