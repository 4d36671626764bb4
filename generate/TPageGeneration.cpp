#include "TPageGeneration.h"

#include "THtmlFileMaker.h"
#include "THtmlTemplate.h"
#include "TImageFileMaker.h"
#include "TInputData.h"

TGeneratedPage GeneratePage(const THtmlTemplate& htmlTemplate, const TInputDataMap& values,
                            const QString& folder) {
    // Every value is converted before the template is expanded, and the page exists before
    // any picture is written.
    const TOutputDataMap outputs = values.CreateOutputDataMap();
    TGeneratedPage page;
    page.Text = THtmlFileMaker::MakeHtml(outputs, htmlTemplate.Html);
    page.Pictures = TImageFileMaker::MakeImageFiles(outputs, folder);
    page.CodePage = CharCodeToCodePage(htmlTemplate.GetCharCode());
    return page;
}
