#include "THelpTopic.h"

#include <QAbstractButton>

#include "THelpViewer.h"

void THelpTopic::Connect(QAbstractButton* button, int context) {
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [context] { THelpViewer::ShowTopic(context); });
}
