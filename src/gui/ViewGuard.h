#pragma once

namespace kazutama {

// One flag, not a count: every view clears it when it loads and sets it when it unloads, and only the
// winning-data entry command reads it. So after "open A, open B, close B" it is set although A is open.
class ViewGuard {
public:
    void set(bool value) { m_value = value; }
    bool value() const { return m_value; }

private:
    bool m_value = true;
};

} // namespace kazutama
