#include "ui/sheet/ServerSettingsSheet.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Desktop.h"
#include "core/SettingsStore.h"
#include "ui/TextField.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

namespace {

// A caption as it reads, without its Alt-key mark ("&&" is one '&').
QString WithoutMnemonic(const QString& caption) {
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

// What the operator reads beside `control`: the label that is its buddy, or
// else the title of the group it stands in.
QString LabelOf(const QWidget& control) {
    for (const QLabel* label : control.window()->findChildren<QLabel*>()) {
        if (label->buddy() == &control) return WithoutMnemonic(label->text());
    }
    for (const QWidget* outer = control.parentWidget(); outer; outer = outer->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(outer))
            return WithoutMnemonic(group->title());
    }
    return control.accessibleName();
}

}  // namespace

ServerSettingsSheet::ServerSettingsSheet(QWidget* owner, SettingsStore& store, Desktop& desktop)
    : QDialog(owner),
      morvanePage(store.settings),
      deathMatchPage(store.settings),
      mapsPage(store, desktop),
      desktop_(desktop) {
    setWindowTitle("Server Settings");
    tabs_ = new QTabWidget;
    for (SheetPage* page : std::initializer_list<SheetPage*>{
             &generalPage, &mapsPage, &deathMatchPage, &morvanePage, &botSetupPage}) {
        tabs_->addTab(page, page->Title());
    }
    opened_.assign(static_cast<std::size_t>(tabs_->count()), false);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons_, &QDialogButtonBox::accepted, this, &ServerSettingsSheet::PressOk);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tabs_, &QTabWidget::currentChanged, this, &ServerSettingsSheet::OnTabChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons_);
}

ServerSettingsSheet::~ServerSettingsSheet() {
    // The pages go before the tab widget; tab changes while they do must not
    // reach a page that is already gone.
    disconnect(tabs_, nullptr, this, nullptr);
}

int ServerSettingsSheet::PageCount() const { return tabs_->count(); }

SheetPage& ServerSettingsSheet::Page(int index) {
    return *static_cast<SheetPage*>(tabs_->widget(index));
}

QPushButton& ServerSettingsSheet::OkButton() { return *buttons_->button(QDialogButtonBox::Ok); }

QPushButton& ServerSettingsSheet::CancelButton() {
    return *buttons_->button(QDialogButtonBox::Cancel);
}

void ServerSettingsSheet::PagesFromSettings(const ServerSettings& settings) {
    for (int index = 0; index < PageCount(); ++index) Page(index).ValuesFromSettings(settings);
}

void ServerSettingsSheet::SettingsFromPages(ServerSettings& settings) const {
    for (int index = 0; index < PageCount(); ++index) {
        static_cast<const SheetPage*>(tabs_->widget(index))->SettingsFromValues(settings);
    }
}

void ServerSettingsSheet::showEvent(QShowEvent* event) {
    Start();
    QDialog::showEvent(event);
}

void ServerSettingsSheet::Start() {
    if (started_) return;
    started_ = true;
    current_ = tabs_->currentIndex();
    Activate(current_);
}

void ServerSettingsSheet::Activate(int index) {
    SheetPage& page = Page(index);
    if (!opened_[static_cast<std::size_t>(index)]) {
        opened_[static_cast<std::size_t>(index)] = true;
        page.FirstOpen();
    }
    page.Fill();
}

bool ServerSettingsSheet::SelectPage(int index) {
    Start();
    tabs_->setCurrentIndex(index);
    return current_ == index;
}

void ServerSettingsSheet::OnTabChanged(int index) {
    if (!started_ || index == current_ || index < 0) return;
    if (!LeaveCurrent(current_)) return;
    current_ = index;
    Activate(index);
}

bool ServerSettingsSheet::LeaveCurrent(int returnTo) {
    std::optional<PageFailure> failure = Page(current_).Read();
    if (!failure) return true;
    if (tabs_->currentIndex() != returnTo) {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(returnTo);
    }
    ShowFailure(*failure);
    return false;
}

void ServerSettingsSheet::PressOk() {
    Start();
    if (LeaveCurrent(current_)) accept();
}

void ServerSettingsSheet::ShowFailure(const PageFailure& failure) {
    // The box is named first: the message alone would leave the operator to
    // find it by the focus.
    desktop_.ShowMessage(ToBytes(LabelOf(*failure.control)) + "\n" + failure.message, kAppTitle,
                         MessageIcon::Exclamation);
    failure.control->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(failure.control)) {
        line->selectAll();
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(failure.control)) {
        memo->selectAll();
    }
}

}  // namespace mctf
