// CExtResPP: a property page whose template and initial strings are found through the resource
// manager. When its sheet is built the page's template is copied and given the property-sheet
// font wherever its own font differs.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/DialogTemplate.h"
#include "platform/PropertyPage.h"

class CExtResPP : public CPropertyPage
{
    DECLARE_DYNCREATE(CExtResPP)
public:
    // Without a template: derived pages name theirs through CommonConstruct.
    CExtResPP();

    // Adds the template's initial strings before the base's initialisation runs.
    BOOL OnInitDialog() override;
    // The page goes to the sheet as an in-memory template in the sheet font.
    void PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL bWizard) override;

protected:
    // Fills the description with the template (none for null) and the caption (none for 0)
    // found through the resource manager.
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);

    // The name the initial strings are loaded by; none once the page comes from memory.
    LPCTSTR m_lpszTemplateNameForInit = nullptr;

private:
    // The page's own copy of its template while it differs from the original.
    CDialogTemplate m_pageTemplate;
};
