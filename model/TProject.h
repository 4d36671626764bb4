#pragma once
// Everything the user designs and saves as a ".PT" file: the input items, the templates and
// the FTP settings.

#include <QString>
#include <memory>

#include "TFtpConfig.h"
#include "THtmlTemplateList.h"
#include "TInputItemList.h"

class TProject {
public:
    TInputItemList InputItems;
    THtmlTemplateList HtmlTemplates;
    TFtpConfig FtpConfig;

    TInputBase* GetInputItem(int index) const { return InputItems.Get(index); }
    void ReplaceInputItem(int index, std::unique_ptr<TInputBase> item) {
        InputItems.Replace(index, std::move(item));
    }
    THtmlTemplate* GetHtmlTemplate(int index) const { return HtmlTemplates.Get(index); }
    void ReplaceHtmlTemplate(int index, std::unique_ptr<THtmlTemplate> html) {
        HtmlTemplates.Replace(index, std::move(html));
    }

    // Merges into the existing file (keys and sections this project does not write stay) and
    // replaces it atomically. Throws TError when the file cannot be read or written.
    void SaveToFile(const QString& path) const;
    // A missing file gives an empty project.
    void LoadFromFile(const QString& path);
};
