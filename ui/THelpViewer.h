#pragma once
// The help window: the program's Japanese help pages, built into it, shown at the table of
// contents or at the topic of a context number (the dialogs' help buttons).

#include <QUrl>
#include <QWidget>
#include <memory>

namespace Ui {
class THelpViewer;
}

class THelpViewer : public QWidget {
    Q_OBJECT

public:
    static void ShowContents();
    // A context number without a page of its own shows the table of contents.
    static void ShowTopic(int context);

    // The help window now open, or none.
    static THelpViewer* Current();
    // The page of a context number ("" when there is none), and the contents page.
    static QString TopicPage(int context);
    static QString ContentsPage();

    ~THelpViewer() override;
    QUrl Source() const;
    QString DocumentTitle() const;
    QString DocumentText() const;

private:
    explicit THelpViewer(QWidget* owner);
    static void Show(const QString& page);
    void ShowPage(const QString& page);

    std::unique_ptr<Ui::THelpViewer> ui;
};
