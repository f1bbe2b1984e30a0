#!/usr/bin/env python3
"""Writes the main window form (Ui_MainWindow: record, setupUi, retranslateUi) as C++ from
the tables beside this file. Usage: generate.py OUTPUT_DIR"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import focus  # noqa: E402
import menus  # noqa: E402
import pages  # noqa: E402
import sections  # noqa: E402
import strips  # noqa: E402
import texts  # noqa: E402
from sheets import ICONS, PAGE_SHEETS, SHEETS, select_icon, type_icon  # noqa: E402

CUSTOM_CLASSES = ["ChannelControl", "PanControl", "DialControl", "DialControlSend", "DrawEq",
                  "DrawCompressor", "DrawReverb"]
WINDOW = "MainWindow"

# Setters in the order the form applies them to one object.
ORDER = ["enabled", "geometry", "minSize", "maxSize", "layoutDir", "font", "focus", "sheet",
         "pixmap", "scaled", "icon", "iconSize", "check", "checked", "flat", "maxLength", "frame",
         "textFormat", "align", "openLinks", "buttonSymbols", "decimals", "min", "max",
         "singleStep", "pageStep", "value", "sliderPosition", "orientation", "tick"]


def cstr(text):
    """A C++ string literal holding the UTF-8 bytes of text."""
    out = []
    for b in text.encode("utf-8"):
        c = chr(b)
        if c == "\\":
            out.append("\\\\")
        elif c == '"':
            out.append('\\"')
        elif c == "\n":
            out.append("\\n")
        elif 32 <= b < 127:
            out.append(c)
        else:
            out.append("\\%03o" % b)
    return '"' + "".join(out) + '"'


def num(v):
    if isinstance(v, bool):
        return "true" if v else "false"
    return repr(v)


class Obj:
    def __init__(self, name, cls, parent, props=None, family=None, pre=None, ctor=None):
        self.name, self.cls, self.parent = name, cls, parent
        self.props = props or {}
        self.family = family
        self.pre = pre or []
        self.ctor = ctor


class Form:
    def __init__(self):
        self.steps = []  # ("new", Obj) or ("code", line)
        self.record = []  # (class, name) in creation order
        self.groups = []
        self.children = {}  # parent -> child names in creation order
        self.classes = {}

    def new(self, obj):
        assert obj.name not in self.classes, obj.name
        self.classes[obj.name] = obj.cls
        self.steps.append(("new", obj))
        self.record.append((obj.cls, obj.name))
        if obj.parent is not None:
            self.children.setdefault(obj.parent, []).append(obj.name)
        return obj

    def code(self, line):
        self.steps.append(("code", line))

    def row(self, row, parent, family=None, pre=None):
        name, cls, x, y, w, h, props = row
        props = dict(props)
        if x is not None:
            props["geometry"] = (x, y, w, h)
        return self.new(Obj(name, cls, parent, props, family, pre))

    def page(self, stack, page, props=None):
        """A stacked page, added before its children exist: filling a parentless page and
        re-parenting it afterwards resolves every child's style and font a second time."""
        self.new(Obj(page, "QWidget", stack, props))
        self.code("%s->addWidget(%s);" % (stack, page))

    def raise_all(self, names):
        for n in names:
            self.code("%s->raise();" % n)

    def layout(self, name, cls, on, spacing):
        self.new(Obj(name, cls, on, {}, pre=[
            "%s->setSpacing(%d);" % (name, spacing),
            "%s->setContentsMargins(11, 11, 11, 11);" % name],
            ctor="new %s(%s)" % (cls, on)))
        self.code("%s->setContentsMargins(0, 0, 0, 0);" % name)


def build_mono(form, stack, pair):
    (tag, _x, (odd, n_odd), (even, n_even), sels, stems, _ssel, _sstem, _fader) = pair
    _sheet, link_x, sel_x, meter, disp_x, send1_y, extra = strips.MONO_DIFFS[tag]
    page = "mono" + tag
    form.page(stack, page)
    rows = {r[0]: r for r in strips.MONO_ROWS}
    made = {}
    for item in strips.mono_create_order():
        key, _, side = item.partition(".")
        _, pattern, cls, x_odd, x_even, y, w, h, props = rows[key]
        props = dict(props)
        odd_side = side != "e"
        t, n, sel, stem = (odd, n_odd, sels[0], stems[0]) if odd_side else (even, n_even, sels[1], stems[1])
        x = x_odd if odd_side else x_even
        if key == "select":
            x = sel_x[0] if odd_side else sel_x[1]
            props["icon"] = select_icon("select", stem)
        elif key == "meter":
            x, y = (meter[0] if odd_side else meter[1]), meter[2]
        elif key.startswith("disp"):
            x = disp_x[0] if odd_side else disp_x[1]
            if key == "disp1":
                y = send1_y[0] if odd_side else send1_y[1]
        elif key == "linkOn":
            x = link_x
        elif key == "strip" and odd_side and "stripOddWidth" in extra:
            w = extra["stripOddWidth"]
        elif key == "bypass" and not odd_side and "bypassEvenIcon" in extra:
            props["icon"] = extra["bypassEvenIcon"]
        name = pattern.format(T=t, N=n, SEL=sel, P=tag)
        props["geometry"] = (x, y, w, h)
        form.new(Obj(name, cls, page, props, family=key))
        made[item] = name
    return [made[k] for k in strips.MONO_RAISE]


def build_stereo(form, stack, pair):
    (tag, _x, _o, _e, _sels, _stems, ssel, sstem, fader) = pair
    page = "stereo" + tag
    form.page(stack, page)
    rows = {r[0]: r for r in strips.STEREO_ROWS}
    made = {}
    for key in strips.STEREO_CREATE:
        _, pattern, cls, x, y, w, h, props = rows[key]
        props = dict(props)
        if key == "select":
            props["icon"] = select_icon("select_LINK", sstem)
        if key == "linkOff":
            x = strips.STEREO_LINK_OFF_X.get(tag, x)
        props["geometry"] = (x, y, w, h)
        name = pattern.format(P=tag, F=fader, SEL=ssel)
        form.new(Obj(name, cls, page, props, family=key))
        made[key] = name
    return [made[k] for k in strips.STEREO_RAISE]


def build_pair(form, tag):
    pair = next(p for p in strips.PAIRS if p[0] == tag)
    sheet = strips.MONO_DIFFS[tag][0]
    stack = "sW_channel" + tag
    form.new(Obj(stack, "QStackedWidget", "Mixer",
                 {"geometry": (pair[1], strips.STACK_Y, strips.STACK_W, strips.STACK_H),
                  "sheet": sheet}))
    for build in (build_mono, build_stereo):
        form.raise_all(build(form, stack, pair))


def build_master(form):
    x, y, w, h = sections.MASTER_STACK
    form.new(Obj("sW_master", "QStackedWidget", "Mixer",
                 {"geometry": (x, y, w, h), "sheet": sections.MASTER_SHEET}))
    form.page("sW_master", "master_dummy")
    form.page("sW_master", "master_ch")
    for row in sections.MASTER_ROWS:
        form.row(row, "master_ch")
        if row[0] == "sW_return":
            form.page("sW_return", "returnDisable")
            for r in sections.RETURN_DISABLE_ROWS:
                form.row(r, "returnDisable")
            form.page("sW_return", "returnEnable", {"sheet": sections.RETURN_ENABLE_SHEET})
            for r in sections.RETURN_ENABLE_ROWS:
                form.row(r, "returnEnable")
            form.raise_all(sections.RETURN_ENABLE_RAISE)
    form.raise_all(sections.MASTER_CH_RAISE)


def build_reverb(form):
    group = sections.REVERB_GROUP
    for i, (name, y, face, checked) in enumerate(sections.REVERB_TYPES):
        pre = []
        if i == 0:
            pre = ["%s = new QButtonGroup(%s);" % (group, WINDOW),
                   "%s->setObjectName(QString::fromUtf8(%s));" % (group, cstr(group))]
            form.groups.append(("QButtonGroup", group))
        pre.append("%s->addButton(%s);" % (group, name))
        w, h = sections.REVERB_TYPE_SIZE
        form.new(Obj(name, "QPushButton", "Mixer",
                     {"geometry": (sections.REVERB_TYPE_X, y, w, h), "sheet": "S1",
                      "icon": type_icon(face), "iconSize": (w, h), "check": checked}, pre=pre))
    for row in sections.REVERB_ROWS:
        form.row(row, "Mixer")


def build_mixer(form):
    form.page("stackedWidget", "Mixer", {"enabled": True, "minSize": (1260, 700),
                                         "maxSize": (1260, 700), "sheet": "S17"})
    for entry in sections.MIXER_CHILDREN:
        kind = entry[0]
        if kind == "button":
            x, y, w, h = sections.MIXER_BUTTONS[entry[1]]
            form.new(Obj(entry[1], "QPushButton", "Mixer",
                         dict(sections.PAGE_BUTTON, geometry=(x, y, w, h))))
        elif kind == "pair":
            build_pair(form, entry[1])
        elif kind == "master":
            build_master(form)
        elif kind == "rows":
            for row in getattr(sections, entry[1]):
                form.row(row, "Mixer")
        elif kind == "row":
            form.row(getattr(sections, entry[1]), "Mixer")
        elif kind == "names":
            for n in entry[1]:
                form.row(sections.name_field(n), "Mixer", family="nameField")
        elif kind == "reverb":
            build_reverb(form)
    kids = form.children["Mixer"]
    first = sections.MIXER_RAISE_FIRST
    form.raise_all(first + [k for k in kids if k not in first])


def build_interface(form):
    form.page("stackedWidget", "Interface", dict(pages.INTERFACE_PAGE))
    form.row(pages.WIDGET, "Interface")
    form.row(pages.LAYOUT_WIDGET2, "widget")
    form.layout("horizontalLayout", "QHBoxLayout", "layoutWidget2", 6)
    for row in pages.BUFFER_ROW:
        form.row(row, "layoutWidget2")
        form.code("horizontalLayout->addWidget(%s);" % row[0])
    group = pages.CLOCK_GROUP
    for i, row in enumerate(pages.CLOCK_RADIOS):
        pre = []
        if i == 0:
            pre = ["%s = new QButtonGroup(%s);" % (group, WINDOW),
                   "%s->setObjectName(QString::fromUtf8(%s));" % (group, cstr(group))]
            form.groups.append(("QButtonGroup", group))
        pre.append("%s->addButton(%s);" % (group, row[0]))
        form.row(row, "widget", pre=pre)
    for row in pages.CLOCK_ROWS:
        form.row(row, "widget")
    form.row(pages.LAYOUT_WIDGET3, "widget")
    form.layout("gridLayout", "QGridLayout", "layoutWidget3", 6)
    for r, pair in enumerate(pages.STATUS_GRID):
        for c, name in enumerate(pair):
            form.new(Obj(name, "QLabel", "layoutWidget3",
                         {"font": "arial", "sheet": "S6" if c == 0 else "S8"}))
            form.code("gridLayout->addWidget(%s, %d, %d, 1, 1);" % (name, r, c))
    for row in pages.BUFFER_ROWS + pages.INTERFACE_ROWS:
        form.row(row, "widget" if row in pages.BUFFER_ROWS else "Interface")


def build_routing(form):
    form.page("stackedWidget", "Routing_Pelvo", {"sheet": pages.PELVO_SHEET})
    for row in pages.PELVO_ROWS:
        form.row(row, "Routing_Pelvo")
    form.page("stackedWidget", "Routing_Tarvik", {"sheet": pages.TARVIK_SHEET})
    for row in pages.tarvik_rows():
        form.row(row, "Routing_Tarvik")


def later_pictures(form):
    """The pages of the main stack other than its start page, with the sheets that carry
    their pictures: such a page starts with the rest of its sheet."""
    start = dict(pages.START_INDEXES)["stackedWidget"]
    objs = {o.name: o for k, o in form.steps if k == "new"}
    return [(page, objs[page].props["sheet"])
            for i, page in enumerate(form.children["stackedWidget"])
            if i != start and objs[page].props.get("sheet") in PAGE_SHEETS]


def build():
    form = Form()
    for a in menus.ACTIONS:
        form.new(Obj(a, "QAction", WINDOW))
    form.new(Obj("centralWidget", "QWidget", WINDOW, {"enabled": True, "sheet": "S10"}))
    form.new(Obj("layoutWidget", "QWidget", "centralWidget", {"geometry": (0, 0, 100, 30)}))
    form.layout("verticalLayout_2", "QVBoxLayout", "layoutWidget", 6)
    form.new(Obj("layoutWidget1", "QWidget", "centralWidget", {"geometry": (0, 0, 100, 30)}))
    form.layout("verticalLayout_3", "QVBoxLayout", "layoutWidget1", 6)
    form.layout("verticalLayout", "QVBoxLayout", "centralWidget", 0)
    form.new(Obj("stackedWidget", "QStackedWidget", "centralWidget",
                 {"enabled": True, "minSize": (1260, 700), "maxSize": (1260, 700),
                  "font": "arial20", "sheet": "S16"}))
    build_mixer(form)
    build_interface(form)
    build_routing(form)
    form.code("verticalLayout->addWidget(stackedWidget);")
    form.code("%s->setCentralWidget(centralWidget);" % WINDOW)
    form.new(Obj("menuBar", "QMenuBar", WINDOW, {"geometry": menus.MENU_BAR_GEOMETRY}))
    for name, parent in menus.MENUS:
        form.new(Obj(name, "QMenu", parent))
    form.code("%s->setMenuBar(menuBar);" % WINDOW)
    form.code("")
    chain = focus.chain()
    for a, b in zip(chain, chain[1:]):
        form.code("QWidget::setTabOrder(%s, %s);" % (a, b))
    form.code("")
    for menu, entries in menus.ENTRIES:
        for e in entries:
            if e is None:
                form.code("%s->addSeparator();" % menu)
            elif e.startswith("menu:"):
                form.code("%s->addAction(%s->menuAction());" % (menu, e[5:]))
            else:
                form.code("%s->addAction(%s);" % (menu, e))
    form.code("")
    form.code("retranslateUi(%s);" % WINDOW)
    form.code("")
    for name, index in pages.START_INDEXES:
        form.code("%s->setCurrentIndex(%d);" % (name, index))
    form.code("")
    form.later = later_pictures(form)
    for page, sheet in form.later:
        form.code("FormRuntime::sheetWhenShown(stackedWidget, %s, QString::fromUtf8(%s));"
                  % (page, cstr(SHEETS[sheet])))
    form.code("")
    form.code("FormRuntime::connectSlotsByName(%s);" % WINDOW)
    form.record += form.groups
    form.chain = chain
    return form


class Emitter:
    def __init__(self):
        self.lines = []
        self.icons = {}
        self.fonts = {}

    def out(self, line):
        self.lines.append(("    " + line) if line else "")

    def icon(self, which):
        files = ICONS[which] if isinstance(which, str) else which
        key = tuple(files)
        if key not in self.icons:
            var = "icon%s" % (len(self.icons) or "")
            self.icons[key] = var
            self.out("QIcon %s;" % var)
            for path, mode, state in files:
                self.out("%s.addFile(QString::fromUtf8(%s), QSize(), QIcon::%s, QIcon::%s);"
                         % (var, cstr(path), mode, state))
        return self.icons[key]

    def font(self, which):
        if which not in self.fonts:
            var = "font%s" % (len(self.fonts) or "")
            self.fonts[which] = var
            self.out("QFont %s;" % var)
            for prop, value in pages.FONTS[which]:
                if prop == "Family":
                    value = "QString::fromUtf8(%s)" % value
                self.out("%s.set%s(%s);" % (var, prop, value))
        return self.fonts[which]

    def props(self, n, cls, props, later=()):
        unknown = set(props) - set(ORDER)
        assert not unknown, (n, unknown)
        for key in ORDER:
            if key not in props:
                continue
            v = props[key]
            if key == "enabled":
                self.out("%s->setEnabled(%s);" % (n, num(v)))
            elif key == "geometry":
                self.out("%s->setGeometry(QRect(%d, %d, %d, %d));" % ((n,) + tuple(v)))
            elif key == "minSize":
                self.out("%s->setMinimumSize(QSize(%d, %d));" % (n, v[0], v[1]))
            elif key == "maxSize":
                self.out("%s->setMaximumSize(QSize(%d, %d));" % (n, v[0], v[1]))
            elif key == "layoutDir":
                self.out("%s->setLayoutDirection(%s);" % (n, v))
            elif key == "font":
                self.out("%s->setFont(%s);" % (n, self.font(v)))
            elif key == "focus":
                self.out("%s->setFocusPolicy(%s);" % (n, v))
            elif key == "sheet":
                sheet = PAGE_SHEETS[v][1] if n in later else SHEETS[v]
                self.out("%s->setStyleSheet(QString::fromUtf8(%s));" % (n, cstr(sheet)))
            elif key == "pixmap":
                self.out("%s->setPixmap(QPixmap(QString::fromUtf8(%s)));" % (n, cstr(v)))
            elif key == "scaled":
                self.out("%s->setScaledContents(%s);" % (n, num(v)))
            elif key == "icon":
                self.out("%s->setIcon(%s);" % (n, self.icon(v)))
            elif key == "iconSize":
                self.out("%s->setIconSize(QSize(%d, %d));" % (n, v[0], v[1]))
            elif key == "check":
                self.out("%s->setCheckable(true);" % n)
                self.out("%s->setChecked(%s);" % (n, num(v)))
            elif key == "checked":
                self.out("%s->setChecked(%s);" % (n, num(v)))
            elif key == "flat":
                self.out("%s->setFlat(%s);" % (n, num(v)))
            elif key == "maxLength":
                self.out("%s->setMaxLength(%d);" % (n, v))
            elif key == "frame":
                self.out("%s->setFrame(%s);" % (n, num(v)))
            elif key == "textFormat":
                self.out("%s->setTextFormat(%s);" % (n, v))
            elif key == "align":
                self.out("%s->setAlignment(%s);" % (n, v))
            elif key == "openLinks":
                self.out("%s->setOpenExternalLinks(%s);" % (n, num(v)))
            elif key == "buttonSymbols":
                self.out("%s->setButtonSymbols(%s);" % (n, v))
            else:  # numeric setters of sliders and spin boxes
                setter = {"decimals": "setDecimals", "min": "setMinimum", "max": "setMaximum",
                          "singleStep": "setSingleStep", "pageStep": "setPageStep",
                          "value": "setValue", "sliderPosition": "setSliderPosition",
                          "orientation": "setOrientation", "tick": "setTickPosition"}[key]
                self.out("%s->%s(%s);" % (n, setter, v if isinstance(v, str) else num(v)))


def emit_setup(form):
    e = Emitter()
    e.out("if (%s->objectName().isEmpty())" % WINDOW)
    e.out("    %s->setObjectName(QString::fromUtf8(%s));" % (WINDOW, cstr(WINDOW)))
    e.out("%s->setEnabled(true);" % WINDOW)
    e.out("%s->resize(1260, 724);" % WINDOW)
    e.out("%s->setMinimumSize(QSize(1260, 724));" % WINDOW)
    e.out("%s->setMaximumSize(QSize(1260, 724));" % WINDOW)
    e.out("%s->setWindowIcon(%s);" % (WINDOW, e.icon("window")))
    e.out("%s->setStyleSheet(QString::fromUtf8(%s));" % (WINDOW, cstr(SHEETS["S10"])))
    for kind, item in form.steps:
        if kind == "code":
            e.out(item)
            continue
        o = item
        ctor = o.ctor or "new %s(%s)" % (o.cls, o.parent or "")
        e.out("%s = %s;" % (o.name, ctor))
        for line in o.pre:
            e.out(line)
        e.out("%s->setObjectName(QString::fromUtf8(%s));" % (o.name, cstr(o.name)))
        e.props(o.name, o.cls, o.props, [page for page, _ in form.later])
    return e.lines


def text_writes(form, obj_by_name):
    """The writes of the texts pass, in record order."""
    writes = [("MainWindow", "title", texts.WINDOW_TITLE)]
    for cls, name in form.record:
        if name in texts.NAMED:
            ws = texts.NAMED[name]
        else:
            fam = obj_by_name[name].family if name in obj_by_name else None
            if fam in texts.FAMILY_TEXTS and not (fam == "strip" and cls != "ChannelControl"):
                ws = texts.FAMILY_TEXTS[fam]
            elif cls in texts.CLASS_EMPTY:
                ws = [("text", texts.EMPTY)]
            else:
                ws = []
        writes += [(name, p, v) for p, v in ws]
    return writes


def tr(text):
    return "QCoreApplication::translate(\"MainWindow\", %s, nullptr)" % cstr(text)


def emit_texts(writes):
    lines = []
    out = lines.append
    for name, prop, value in writes:
        val = "QString()" if value is None else (tr(value) if isinstance(value, str) else None)
        if prop == "title":
            out("    %s->setWindowTitle(%s);" % (name, val))
        elif prop == "text":
            out("    %s->setText(%s);" % (name, val))
        elif prop == "menuTitle":
            out("    %s->setTitle(%s);" % (name, val))
        elif prop == "tooltip":
            out("#if QT_CONFIG(tooltip)")
            out("    %s->setToolTip(%s);" % (name, val))
            out("#endif // QT_CONFIG(tooltip)")
        elif prop == "whatsThis":
            out("#if QT_CONFIG(whatsthis)")
            out("    %s->setWhatsThis(%s);" % (name, val))
            out("#endif // QT_CONFIG(whatsthis)")
        elif prop == "special":
            out("    %s->setSpecialValueText(%s);" % (name, val))
        elif prop == "suffix":
            out("    %s->setSuffix(%s);" % (name, val))
        elif prop == "items":
            out("    %s->clear();" % name)
            out("    %s->insertItems(0, QStringList()" % name)
            for item in value:
                out("     << %s" % tr(item))
            out("    );")
        elif prop == "current":
            out("    %s->setCurrentText(%s);" % (name, val))
        else:
            raise ValueError(prop)
    return lines


def check(form, writes):
    """The census the rest of the window relies on; a table slip fails the build here."""
    census = {}
    for cls, _ in form.record:
        census[cls] = census.get(cls, 0) + 1
    expected = {"QPushButton": 497, "QLabel": 308, "DialControlSend": 125, "QAction": 40,
                "PanControl": 40, "QWidget": 34, "QSlider": 32, "ChannelControl": 31,
                "QDoubleSpinBox": 31, "QLineEdit": 20, "DialControl": 18, "QMenu": 15,
                "QStackedWidget": 13, "QComboBox": 12, "QRadioButton": 4, "QVBoxLayout": 3,
                "QButtonGroup": 2, "QHBoxLayout": 1, "QGridLayout": 1, "QMenuBar": 1,
                "DrawEq": 1, "DrawCompressor": 1, "DrawReverb": 1}
    assert census == expected, sorted(set(census.items()) ^ set(expected.items()))
    assert len(form.record) == 1231
    assert len(form.children["Mixer"]) == 81
    chain = form.chain
    assert len(chain) == 576 and len(set(chain)) == 576
    focusable = {n for c, n in form.record
                 if c in ("QPushButton", "QSlider", "QDoubleSpinBox", "QComboBox", "QRadioButton")}
    assert set(chain) == focusable, set(chain) ^ focusable
    # Writes: items count once per box for clear and once for the list.
    count = sum(2 if p == "items" else 1 for _, p, _ in writes)
    assert count == 1123, count
    empty = sum(1 for _, _, v in writes if v is None)
    assert empty == 737, empty
    looked = [v for _, p, v in writes if isinstance(v, str)]
    items = [i for _, p, v in writes if p == "items" for i in v]
    assert len(looked) + len(items) == 698, len(looked) + len(items)
    assert len(set(looked) | set(items)) == 107, len(set(looked) | set(items))


HEADER = """// Generated by mainwindow/form/generate.py from the form tables beside it; edit the
// tables, not this file.
#ifndef UI_MAINWINDOW_H
#define UI_MAINWINDOW_H

#include <QtCore/QVariant>
#include <QtGui/QIcon>
#include <QtWidgets/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>
%(includes)s

QT_BEGIN_NAMESPACE

class Ui_MainWindow
{
public:
%(members)s

    void setupUi(QMainWindow *MainWindow);
    void retranslateUi(QMainWindow *MainWindow);
};

namespace Ui {
class MainWindow : public Ui_MainWindow
{
};
} // namespace Ui

QT_END_NAMESPACE

#endif // UI_MAINWINDOW_H
"""

SOURCE = """// Generated by mainwindow/form/generate.py from the form tables beside it; edit the
// tables, not this file.
#include "ui_mainwindow.h"
%(includes)s
void Ui_MainWindow::%(func)s(QMainWindow *MainWindow)
{
%(body)s
}
"""


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    out_dir = sys.argv[1]
    form = build()
    obj_by_name = {o.name: o for k, o in form.steps if k == "new"}
    writes = text_writes(form, obj_by_name)
    check(form, writes)
    os.makedirs(out_dir, exist_ok=True)
    includes = "\n".join('#include "%s.h"' % c for c in CUSTOM_CLASSES)
    members = "\n".join("    %s *%s;" % (c, n) for c, n in form.record)
    write(os.path.join(out_dir, "ui_mainwindow.h"),
                     HEADER % {"includes": includes, "members": members})
    write(os.path.join(out_dir, "ui_mainwindow_setup.cpp"),
                     SOURCE % {"func": "setupUi", "includes": '#include "FormRuntime.h"\n',
                               "body": "\n".join(emit_setup(form))})
    write(os.path.join(out_dir, "ui_mainwindow_texts.cpp"),
                     SOURCE % {"func": "retranslateUi", "includes": "",
                               "body": "\n".join(emit_texts(writes))})


if __name__ == "__main__":
    main()
