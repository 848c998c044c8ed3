// Book files dropped on the main window open as "Open File" opens them.
#pragma once

#include <QObject>

namespace cadenzo {

class TForm1;

// Watches the main window (which accepts drops from then on): a drag that
// carries a book file is accepted, and its drop hands the file to the reader.
class BookDrop : public QObject {
    Q_OBJECT
  public:
    explicit BookDrop(TForm1* form);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TForm1* form_;
};

} // namespace cadenzo
