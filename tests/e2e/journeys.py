"""The journeys: what a parent or a child does with the window, and what
the accessibility tree must read at each step.

Each journey gets a freshly started program (desktop.Program) and a Trip
with the screenshot and the stand-in browser's record.
"""

import os
import shutil
import subprocess
import urllib.parse

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from desktop import Failure, wait_for  # noqa: E402

# The build's title and version, which CTest gives.
TITLE = os.environ["KIDSUM_TITLE"]
VERSION = os.environ["KIDSUM_VERSION"]
ANSWER = "计算结果"
FIRST = "第一个数"
SECOND = "第二个数"
VERDICT = "对错提示"
AUTO_NEXT = "答对后自动换题"


class Trip:
    def __init__(self, shot, browser_record, kidsum, work):
        self.shot = shot                    # shot(label): a screenshot now
        self.browser_record = browser_record
        self.kidsum = kidsum
        self.work = work                    # a folder of the journey's own


def verdict(p):
    # A label while empty, an image while it shows a picture.
    return p.find(VERDICT, Atspi.Role.LABEL, Atspi.Role.IMAGE)


def row(p, name):
    return p.find(name, Atspi.Role.FILLER)


def ask(p, first, second, operation=None):
    """Sets single-number ranges with the lists and presses "出题"."""
    if operation:
        p.pick("加减法", operation)
    p.pick("第一位", first)
    p.pick("第二位", second)
    p.click(p.button("出题"))
    p.expect_text(p.text_box(FIRST), first)
    p.expect_text(p.text_box(SECOND), second)
    p.expect_text(p.text_box(ANSWER), "?")


def start_up(p, trip):
    p.expect_name(p.window, f"{TITLE} V{VERSION}", "the window's title")
    for label, entry in [("第一位", "不限定"), ("加减法", "+(加法)"),
                         ("第二位", "不限定"), ("图案提示", "图案1提示")]:
        p.expect_name(p.list_labelled(label), entry, f"list {label!r}")
    p.expect_checked(p.find(AUTO_NEXT, Atspi.Role.CHECK_BOX), True)
    for name in (FIRST, SECOND, ANSWER):
        p.expect_text(p.text_box(name), "")
    answer = p.text_box(ANSWER)
    if not answer.get_description().startswith("输入计算结果"):
        raise Failure(f"answer box described as {answer.get_description()!r}, "
                      "expected its tool tip")
    p.find("运算符号", Atspi.Role.LABEL)
    p.expect_description(verdict(p), "")
    for name in ("第一个数的图案", "第二个数的图案", "结果的图案"):
        p.expect_description(row(p, name), "0 个图案")
    p.find("放大的图案", Atspi.Role.LABEL)
    trip.shot("start-up")


def right_answer_moves_on(p, trip):
    ask(p, "7", "5")
    p.expect_description(row(p, "第一个数的图案"), "7 个图案")
    p.expect_description(row(p, "第二个数的图案"), "5 个图案")
    answer = p.text_box(ANSWER)
    p.click(answer)
    p.expect_text(answer, "")
    p.type_keys("1")
    p.expect_text(answer, "1")
    p.expect_description(verdict(p), "")
    p.type_keys("2")
    # A right answer with auto-next ticked: the next question, at once.
    p.expect_text(answer, "?")
    p.expect_description(verdict(p), "")
    p.expect_text(p.text_box(FIRST), "7")
    p.expect_text(p.text_box(SECOND), "5")
    trip.shot("next-question")


def verdicts_without_auto_next(p, trip):
    auto = p.find(AUTO_NEXT, Atspi.Role.CHECK_BOX)
    p.click(auto)
    p.expect_checked(auto, False)
    ask(p, "7", "5")
    answer = p.text_box(ANSWER)
    p.click(answer)
    p.type_keys("3")
    p.expect_text(answer, "3")
    p.expect_description(verdict(p), "答错了")
    p.type_keys("BackSpace")
    p.expect_text(answer, "")
    p.type_keys("1")
    p.expect_text(answer, "1")
    p.expect_description(verdict(p), "")
    p.type_keys("2")
    p.expect_text(answer, "12")
    p.expect_description(verdict(p), "答对了")
    p.type_keys("3")
    # Only the last two characters stay.
    p.expect_text(answer, "23")
    p.expect_description(verdict(p), "答错了")
    p.expect_text(p.text_box(FIRST), "7")
    trip.shot("verdicts")


def subtraction_range_conflict(p, trip):
    p.pick("加减法", "-(减法)")
    p.pick("第一位", "0～5")
    p.pick("第二位", "10～15")
    p.expect_message("错误提示", "与第二位设置的范围矛盾,请检查后重新设置")
    trip.shot("range-conflict")
    p.close_message_with_return()
    p.expect_name(p.list_labelled("第一位"), "不限定", "list '第一位'")
    p.expect_name(p.list_labelled("第二位"), "10～15", "list '第二位'")


def reveal_subtraction(p, trip):
    ask(p, "9", "4", operation="-(减法)")
    p.click(p.button("答案"))
    p.expect_message("提示", "第一位的图案先数出4个不要了，以第5个做为第1个，"
                     "开始数第一位余下的图案数量，就可以得到结果了！")
    p.expect_text(p.text_box(ANSWER), "5")
    p.expect_description(verdict(p), "答对了")
    trip.shot("explanation")
    p.close_message_with_return()
    p.expect_description(row(p, "结果的图案"), "9 个图案")
    p.expect_checked(p.find(AUTO_NEXT, Atspi.Role.CHECK_BOX), False)
    trip.shot("result-row")


def reveal_without_question(p, trip):
    answer = p.text_box(ANSWER)
    # Typing with no question on display is refused at each key; the box
    # keeps the key, so the reveal has something to empty.
    p.click(answer)
    p.type_keys("5")
    p.expect_message("错误提示", "第一位不是数字,请检查")
    p.close_message_with_return()
    p.expect_text(answer, "5")
    p.click(p.button("答案"))
    p.expect_message("错误提示", "没有数字进行计算，无法得到结果")
    trip.shot("no-question")
    p.close_message_with_return()
    p.expect_text(answer, "")
    p.expect_checked(p.find(AUTO_NEXT, Atspi.Role.CHECK_BOX), False)


def help_page(p, trip):
    p.type_keys("alt+b")

    def recorded():
        if not os.path.exists(trip.browser_record):
            return False, "the stand-in browser was not started"
        with open(trip.browser_record, encoding="utf-8") as record:
            lines = record.read().splitlines()
        return len(lines) >= 2, lines
    lines = wait_for("the stand-in browser started with the help page", recorded)
    launcher, address = lines[0], lines[1:]
    expected = os.path.join(os.path.dirname(os.path.realpath(trip.kidsum)), "help.htm")
    url = urllib.parse.urlsplit(address[0]) if len(address) == 1 else None
    if url is None or url.scheme != "file" or urllib.parse.unquote(url.path) != expected:
        raise Failure(f"{launcher} received {address!r}; expected the one file URL of "
                      f"{expected!r}")
    if not os.path.isfile(expected):
        raise Failure(f"the help page {expected!r} is not beside the program")
    trip.shot("help")


# Qt's own texts, in Chinese whatever the system's language.
EDIT_MENU = ["撤消(U)", "重做(R)", "剪切(T)", "复制(C)", "粘贴(P)", "删除", "全选"]


def qt_texts_in_chinese(p, trip):
    for name, control in [("answer box", p.text_box(ANSWER)),
                          ("list field", p.list_labelled("第一位"))]:
        entries = p.context_menu(control)
        shown = [entry.split("\t")[0].strip() for entry in entries]
        if shown != EDIT_MENU:
            raise Failure(f"the {name}'s context menu reads {entries!r}, expected {EDIT_MENU!r}")
        trip.shot(f"context-menu-{name.replace(' ', '-')}")
        p.type_keys("Escape")
    # The error trap of the reveal: one button, "确定"; Return still closes it.
    p.click(p.button("答案"))
    p.expect_message("错误提示", "没有数字进行计算，无法得到结果")
    trip.shot("message-box")
    p.close_message_with_return()


def program_copy(trip, folder_name, catalogue=True, hint_set_1=True, qt_translations=None):
    """A copy of the program's folder in a folder of its own: kidsum, img/,
    help.htm and, with `catalogue`, Qt's catalogue beside it. Returns the
    copy's executable."""
    source = os.path.dirname(os.path.realpath(trip.kidsum))
    folder = os.path.join(trip.work, folder_name)
    os.makedirs(folder)
    shutil.copy2(trip.kidsum, folder)
    shutil.copytree(os.path.join(source, "img"), os.path.join(folder, "img"))
    shutil.copy2(os.path.join(source, "help.htm"), folder)
    if catalogue:
        shutil.copy2(os.path.join(source, "qtbase_zh_CN.qm"), folder)
    if not hint_set_1:
        for name in os.listdir(os.path.join(folder, "img", "1")):
            os.remove(os.path.join(folder, "img", "1", name))
    if qt_translations is not None:
        # Qt's own folders as they are, but for its translations.
        plugins = subprocess.run(["qtpaths6", "--query", "QT_INSTALL_PLUGINS"], check=True,
                                 capture_output=True, text=True).stdout.strip()
        with open(os.path.join(folder, "qt.conf"), "w", encoding="utf-8") as conf:
            conf.write(f"[Paths]\nPrefix=/usr\nPlugins={plugins}\n"
                       f"Translations={qt_translations}\n")
    return os.path.join(folder, os.path.basename(trip.kidsum))


def without_hint_pictures(trip):
    return program_copy(trip, "没有图案 1", hint_set_1=False)


def missing_hint_picture(p, trip):
    p.click(p.button("出题"))
    p.expect_message(TITLE, "出现异常错误,请与作者联系!")
    trip.shot("missing-picture")
    p.close_message_with_return()


def without_catalogue(trip):
    empty = os.path.join(trip.work, "no translations")
    os.makedirs(empty)
    return program_copy(trip, "没有目录", catalogue=False, qt_translations=empty)


def works_without_catalogue(p, trip):
    # Qt's English texts, and everything else as always.
    ask(p, "7", "5")
    answer = p.text_box(ANSWER)
    p.click(answer)
    p.type_keys("1", "2")
    p.expect_text(answer, "?")
    p.click(p.button("答案"))
    p.expect_text(answer, "12")
    p.expect_description(verdict(p), "答对了")
    p.pick("加减法", "-(减法)")
    p.pick("第一位", "0～5")
    p.pick("第二位", "10～15")
    p.expect_message("错误提示", "与第二位设置的范围矛盾,请检查后重新设置", buttons=("OK",))
    p.close_message_with_return()


def exit_menu(p, trip):
    p.type_keys("alt+t")
    try:
        status = p.process.wait(timeout=1.0)
    except subprocess.TimeoutExpired:
        raise Failure("kidsum still runs one second after 退出软件(&T)") from None
    if status != 0:
        raise Failure(f"kidsum ended with status {status}, expected 0")
    trip.shot("after-exit")


class Setup:
    """How a journey's program is started: extra environment, and a
    function of the Trip that prepares the executable to run (the built
    one when None)."""

    def __init__(self, env=None, program=None):
        self.env = env or {}
        self.program = program


# name, journey, Setup
JOURNEYS = [
    ("1-start-up", start_up, Setup()),
    ("2-right-answer-moves-on", right_answer_moves_on, Setup()),
    ("3-verdicts-without-auto-next", verdicts_without_auto_next, Setup()),
    ("4-subtraction-range-conflict", subtraction_range_conflict, Setup()),
    ("5-reveal-subtraction", reveal_subtraction, Setup()),
    ("6-reveal-without-question", reveal_without_question, Setup()),
    ("7-help-page", help_page, Setup()),
    ("8-exit-menu", exit_menu, Setup()),
    ("9-qt-texts-lang-c", qt_texts_in_chinese, Setup(env={"LANG": "C"})),
    ("10-qt-texts-lang-en", qt_texts_in_chinese, Setup(env={"LANG": "en_US.UTF-8"})),
    ("11-missing-hint-picture", missing_hint_picture, Setup(program=without_hint_pictures)),
    ("12-without-catalogue", works_without_catalogue, Setup(program=without_catalogue)),
]
