#pragma once
// The catalogue's filter: site number, pile number and which sensors, each switched by the
// window's controls. Any change of its controls rebuilds the catalogue's check list.

#include <cstdint>

#include <QCheckBox>
#include <QLineEdit>
#include <QObject>

#include "tTrcT.h"

class tTrcFiles;

class tFLF : public QObject {
    Q_OBJECT
public:
    // With any control missing the filter stays inert and accepts every recognised file.
    tFLF(QCheckBox* onOff, QLineEdit* siteEdit, QLineEdit* pileEdit, QCheckBox* channel1, QCheckBox* channel2,
         QObject* parent = nullptr);

    // The file is recognised and passes the filter in force; refreshes the flags from the controls.
    bool Accepts(const tTrc__File_identifier& id);
    tFilterFlags flags() const { return {wantChannel1, wantChannel2, active}; }
    void SetCatalogue(tTrcFiles* catalogue) { catalogue_ = catalogue; }

    std::int16_t siteFilter = -1; // -1: any site
    std::int16_t pileFilter = -1; // -1: any pile
    bool wantChannel1 = true;
    bool wantChannel2 = true;
    bool active = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inert() const { return !switch_; }
    void SwitchClick();
    void ChannelClick(QCheckBox* box);
    void NumberEnter(QLineEdit* edit, std::int16_t& number);
    void Rebuild();

    QCheckBox* switch_ = nullptr;
    QLineEdit* siteEdit_ = nullptr;
    QLineEdit* pileEdit_ = nullptr;
    QCheckBox* channel1_ = nullptr;
    QCheckBox* channel2_ = nullptr;
    tTrcFiles* catalogue_ = nullptr;
};
