#include "bank_window.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "bank_view.h"

namespace refprop {

namespace {

QString Coins(double v) {
  return QString::number(static_cast<qlonglong>(v)) + QStringLiteral(" 金币");
}

}  // namespace

// Every child is a member: the dialog needs no heap of its own.
class BankDialog final : public QDialog {
 public:
  explicit BankDialog(const BankWindow::Request& request) {
    setWindowTitle(QStringLiteral("银行"));
    setStyleSheet(QStringLiteral(
        "QDialog { background: #3b2a12; } QLabel { color: #f5deb3; font-size: 14px; }"
        "QLabel#title { color: #ffd75e; font-size: 20px; font-weight: bold; }"
        "QPushButton { background: #b08418; color: white; border-radius: 4px;"
        " padding: 6px 14px; font-size: 14px; } QPushButton:hover { background: #d09c20; }"
        "QSpinBox { font-size: 14px; padding: 3px; }"));
    title.setObjectName(QStringLiteral("title"));
    title.setAlignment(Qt::AlignCenter);
    amount.setRange(0, 100000000);
    amount.setSingleStep(1000);
    amount.setValue(1000);
    grid.addWidget(&title, 0, 0, 1, 3);
    grid.addWidget(&balanceName, 1, 0);
    grid.addWidget(&balance, 1, 1, 1, 2);
    grid.addWidget(&goldName, 2, 0);
    grid.addWidget(&gold, 2, 1, 1, 2);
    grid.addWidget(&amountName, 3, 0);
    grid.addWidget(&amount, 3, 1, 1, 2);
    grid.addWidget(&note, 4, 0, 1, 3);
    grid.addWidget(&deposit, 5, 0);
    grid.addWidget(&withdraw, 5, 1);
    grid.addWidget(&closeButton, 5, 2);
    setFixedSize(340, 240);
    connect(&deposit, &QPushButton::clicked, this,
            [this, request] { request(kBankDeposit, amount.value()); });
    connect(&withdraw, &QPushButton::clicked, this,
            [this, request] { request(kBankWithdraw, amount.value()); });
    connect(&closeButton, &QPushButton::clicked, this, [this] { hide(); });
  }

  QGridLayout grid{this};
  QLabel title{QStringLiteral("道具银行"), this};
  QLabel balanceName{QStringLiteral("银行存款："), this};
  QLabel balance{Coins(0), this};
  QLabel goldName{QStringLiteral("随身现金："), this};
  QLabel gold{Coins(0), this};
  QLabel amountName{QStringLiteral("金额："), this};
  QSpinBox amount{this};
  QLabel note{QStringLiteral("存款安全，随存随取"), this};
  QPushButton deposit{QStringLiteral("存入"), this};
  QPushButton withdraw{QStringLiteral("取出"), this};
  QPushButton closeButton{QStringLiteral("关闭"), this};
};

BankWindow::BankWindow(Request request) : dialog_(std::make_unique<BankDialog>(request)) {}

BankWindow::~BankWindow() = default;

void BankWindow::Show() {
  dialog_->show();
  dialog_->raise();
}

void BankWindow::Hide() {
  dialog_->hide();
}

bool BankWindow::Visible() const {
  return dialog_->isVisible();
}

void BankWindow::SetFigures(double balanceValue, double goldValue) {
  dialog_->balance.setText(Coins(balanceValue));
  dialog_->gold.setText(Coins(goldValue));
}

void BankWindow::SetNote(const std::string& text) {
  dialog_->note.setText(QString::fromStdString(text));
}

std::unique_ptr<BankView> MakeBankView(std::function<void(int op, double amount)> request) {
  // The bank is a window of its own; only a program with a widget application can show one.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
  return std::make_unique<BankWindow>(std::move(request));
}

}  // namespace refprop
