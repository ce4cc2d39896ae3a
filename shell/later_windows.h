#pragma once
// Windows whose content comes later: each is its class with its caption, plus the controls and
// fields that other windows already use. The menu opens them all the same.
#include <cstdint>

#include "platform/forms/forms.h"
#include "shell/session.h"
#include "shell/window_links.h"

class TForm8 : public TForm {
public:
    TForm8();
};
class TForm9 : public TForm {
public:
    TForm9();
};

class TForm23 : public TForm {
public:
    TForm23();
};
class TForm24 : public TForm {
public:
    TForm24();
};
class TForm25 : public TForm {
public:
    TForm25();
};

class TForm31 : public TForm {
public:
    TForm31();
};

class TForm35 : public TForm {
public:
    TForm35();
};
class TForm41 : public TForm {
public:
    TForm41();
};
class TForm48 : public TForm {
public:
    TForm48();
};
class TForm54 : public TForm {
public:
    TForm54();
};

extern TForm8* Form8;
extern TForm9* Form9;
extern TForm23* Form23;
extern TForm24* Form24;
extern TForm25* Form25;
extern TForm31* Form31;
extern TForm35* Form35;
extern TForm41* Form41;
extern TForm48* Form48;
extern TForm54* Form54;
