#include "dialogs/Rsmonitor.h"

#include "dialogs/LineMonitorModel.h"
#include "dialogs/SkyBlue.h"
#include "link/LineLink.h"

#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kStartText = QStringLiteral("Начать прием");
const QString kStopText = QStringLiteral("Остановить прием");

QListView* makeList(QAbstractItemModel* model, QWidget* parent)
{
    auto* view = new QListView(parent);
    view->setModel(model);
    view->setUniformItemSizes(true); // keeps long lists cheap to lay out
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Follow new lines only while the user is at the end of the list.
    auto atBottom = std::make_shared<bool>(true);
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeInserted, view, [view, atBottom] {
        const QScrollBar* bar = view->verticalScrollBar();
        *atBottom = bar->value() >= bar->maximum();
    });
    QObject::connect(model, &QAbstractItemModel::rowsInserted, view, [view, atBottom] {
        if (*atBottom)
            view->scrollToBottom();
    });
    return view;
}
} // namespace

TDataRSForm::TDataRSForm(LineLink& link, QWidget* anchor)
    : ToolDialog(anchor, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                             Qt::WindowCloseButtonHint),
      m_link(link), m_rawBytes(new RawByteListModel(this)), m_frames(new FrameListModel(this))
{
    setWindowTitle(QStringLiteral("Данные на линии RS"));
    resize(924, 223);
    paintSkyBlue(this);

    LineRSMemo = makeList(m_rawBytes, this);
    LineRSMemo->setFixedWidth(65);
    DataRS = makeList(m_frames, this);
    AdrBO = new QLineEdit(this);
    MsgNum = new QLineEdit(this);
    AdrBO->setFixedWidth(41);
    MsgNum->setFixedWidth(41);
    ClearButton = new QPushButton(QStringLiteral("Очистить"), this);
    RSDataReciv = new QPushButton(kStartText, this);
    ClearButton->setFixedSize(121, 25);
    RSDataReciv->setFixedSize(121, 25);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Адрес БО"), this), 0, 0);
    fields->addWidget(AdrBO, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("# Сообщения"), this), 1, 0);
    fields->addWidget(MsgNum, 1, 1);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addLayout(fields);
    rightColumn->addStretch();
    rightColumn->addWidget(ClearButton);
    rightColumn->addWidget(RSDataReciv);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Линия RS"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Принятые посылки"), this), 0, 1);
    grid->addWidget(LineRSMemo, 1, 0);
    grid->addWidget(DataRS, 1, 1);
    grid->addLayout(rightColumn, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(ClearButton, &QPushButton::clicked, this, &TDataRSForm::ClearButtonClick);
    connect(RSDataReciv, &QPushButton::clicked, this, &TDataRSForm::RSDataRecivClick);
    connect(&m_link, &LineLink::monitoredBytes, m_rawBytes, &RawByteListModel::append);
    connect(&m_link, &LineLink::monitoredFrame, this, &TDataRSForm::showFrame);
}

void TDataRSForm::setReceiving(bool on)
{
    m_link.setMonitorReceiving(on);
    RSDataReciv->setText(on ? kStopText : kStartText);
}

void TDataRSForm::RSDataRecivClick()
{
    setReceiving(!m_link.monitorReceiving());
}

void TDataRSForm::ClearButtonClick()
{
    m_rawBytes->clear();
    m_frames->clear();
    AdrBO->clear();
    MsgNum->clear();
}

void TDataRSForm::showFrame(const QByteArray& frameText)
{
    m_frames->append(frameText);
    const FrameHeading heading = frameHeading(frameText);
    AdrBO->setText(QString::number(heading.address));
    MsgNum->setText(QString::number(heading.functionCode));
}

void TDataRSForm::closeEvent(QCloseEvent* event)
{
    setReceiving(false);
    QDialog::closeEvent(event);
}

void TDataRSForm::hideEvent(QHideEvent* event)
{
    // However the window goes away (close box, Escape), recording stops with it; a minimised
    // program is not a closed window.
    if (!event->spontaneous())
        setReceiving(false);
    QDialog::hideEvent(event);
}
