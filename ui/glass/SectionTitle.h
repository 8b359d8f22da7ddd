#pragma once

#include <QWidget>
#include <optional>

class SymbolView;

// `SectionTitle`: the heading of a settings card, a symbol (accent by default) and a headline.
class SectionTitle : public QWidget {
    Q_OBJECT

public:
    SectionTitle(const QString &symbol, const QString &text,
                 std::optional<QColor> tint = std::nullopt, QWidget *parent = nullptr);

private:
    SymbolView *m_symbol;
};
