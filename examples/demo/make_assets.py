#!/usr/bin/python3
"""Writes the demo project: its pictures, its string table and demo.ui.

Everything this script writes is committed, so nobody needs to run it to build or test.
Run it again after changing the project below; the output is the same on every run.
Only the Python standard library is used (no PIL): PNG and BMP are written by hand, the
JPEG by a tiny C++ program over stb_image_write, compiled on the fly.
"""

import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CASE = os.path.join(HERE, "case")
APP = os.path.join(CASE, "images", "apps", "demo")

# --------------------------------------------------------------------------------------------
# Picture files


def png_bytes(width, height, channels, pixels):
    """PNG of 8-bit RGB (3 channels) or RGBA (4) pixels, rows top-down."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    colour_type = {3: 2, 4: 6}[channels]
    stride = width * channels
    raw = b"".join(b"\x00" + bytes(pixels[y * stride:(y + 1) * stride]) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def bmp_bytes(width, height, rgb):
    """Uncompressed 24-bit BMP: rows bottom-up in BGR order, each padded to 4 bytes."""
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\x00" * (row_size - len(row)))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + data


JPEG_WRITER = r"""
#include <stb/stb_image_write.h>
#include <cstdio>
#include <cstdlib>
#include <vector>
int main(int argc, char** argv)
{
    if (argc != 6) return 2;
    const int w = std::atoi(argv[2]), h = std::atoi(argv[3]), quality = std::atoi(argv[4]);
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    FILE* in = std::fopen(argv[1], "rb");
    if (!in || std::fread(rgb.data(), 1, rgb.size(), in) != rgb.size()) return 1;
    std::fclose(in);
    return stbi_write_jpg(argv[5], w, h, 3, rgb.data(), quality) ? 0 : 1;
}
"""


def write_jpeg(path, width, height, rgb, quality=90):
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "jpegw.cpp")
        program = os.path.join(work, "jpegw")
        raw = os.path.join(work, "pixels.rgb")
        with open(source, "w") as f:
            f.write(JPEG_WRITER)
        subprocess.run(["c++", "-O1", source, "-o", program, "-lstb"], check=True)
        with open(raw, "wb") as f:
            f.write(bytes(rgb))
        subprocess.run([program, raw, str(width), str(height), str(quality), path], check=True)


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(clamp(x + (y - x) * t) for x, y in zip(a, b))


def coverage(distance):
    """Alpha of a pixel whose centre lies `distance` pixels inside (+) or outside (-) an edge."""
    return max(0.0, min(1.0, distance + 0.5))


class Canvas:
    """RGBA pixels with "over" painting, enough for flat icons."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.px = [list(fill) for _ in range(width * height)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y * self.width + x]
        a = alpha * (colour[3] / 255.0 if len(colour) > 3 else 1.0)
        out_a = a + p[3] / 255.0 * (1 - a)
        for i in range(3):
            under = p[i] * (p[3] / 255.0) * (1 - a)
            p[i] = clamp((colour[i] * a + under) / out_a) if out_a > 0 else 0
        p[3] = clamp(out_a * 255)

    def shape(self, colour, inside):
        """Paints every pixel by inside(cx, cy) -> signed distance into the shape."""
        for y in range(self.height):
            for x in range(self.width):
                self.blend(x, y, colour, coverage(inside(x + 0.5, y + 0.5)))

    def disc(self, cx, cy, r, colour):
        self.shape(colour, lambda x, y: r - math.hypot(x - cx, y - cy))

    def segment(self, x0, y0, x1, y1, half_width, colour):
        def inside(x, y):
            dx, dy = x1 - x0, y1 - y0
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
            return half_width - math.hypot(x - (x0 + t * dx), y - (y0 + t * dy))
        self.shape(colour, inside)

    def rect(self, x0, y0, x1, y1, colour):
        self.shape(colour, lambda x, y: min(x - x0, x1 - x, y - y0, y1 - y))

    def rgba(self):
        return [c for p in self.px for c in p]

    def rgb_over(self, background):
        out = []
        for p in self.px:
            out += mix(background, p[:3], p[3] / 255.0)
        return out


def sun(canvas, cx, cy, radius, ray_angle):
    for i in range(8):
        a = ray_angle + i * math.pi / 4
        canvas.segment(cx + math.cos(a) * (radius + 4), cy + math.sin(a) * (radius + 4),
                       cx + math.cos(a) * (radius + 10), cy + math.sin(a) * (radius + 10),
                       1.6, (255, 190, 40))
    canvas.disc(cx, cy, radius, (255, 214, 60))
    canvas.disc(cx - radius * 0.3, cy - radius * 0.3, radius * 0.35, (255, 240, 150, 150))


def cloud(canvas, cx, cy, scale, colour):
    for dx, dy, r in ((-8, 2, 7), (0, -3, 9), (9, 2, 7), (0, 4, 7)):
        canvas.disc(cx + dx * scale, cy + dy * scale, r * scale, colour)


def main_background():
    """320 x 240 night sky over a hill line, opaque."""
    w, h = 320, 240
    top, bottom, ground = (8, 14, 40), (46, 70, 128), (18, 26, 34)
    rgb = []
    seed = 12345
    stars = set()
    for _ in range(70):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        stars.add((seed % w, (seed // w) % 150))
    for y in range(h):
        for x in range(w):
            hill = 190 + 14 * math.sin(x / 37.0) + 6 * math.sin(x / 11.0)
            if y > hill:
                c = ground
            else:
                c = mix(top, bottom, y / float(h))
                if (x, y) in stars:
                    c = mix(c, (255, 255, 230), 0.8)
            rgb += c
    return w, h, rgb


def weather_background():
    """320 x 240 day sky with soft clouds, for the JPEG."""
    w, h = 320, 240
    blobs = ((60, 60, 34), (100, 52, 28), (230, 96, 40), (270, 86, 30), (160, 170, 46))
    rgb = []
    for y in range(h):
        for x in range(w):
            c = mix((70, 140, 220), (180, 215, 245), y / float(h))
            for bx, by, r in blobs:
                d = math.hypot((x - bx) / 1.6, y - by)
                if d < r:
                    c = mix(c, (250, 250, 252), min(1.0, (r - d) / (r * 0.5)))
            rgb += c
    return w, h, rgb


def write_file(relative, data):
    path = os.path.join(APP, *relative.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_pictures():
    w, h, rgb = main_background()
    write_file("bg/main_bg.png", png_bytes(w, h, 3, rgb))

    w, h, rgb = weather_background()
    os.makedirs(os.path.join(APP, "bg"), exist_ok=True)
    write_jpeg(os.path.join(APP, "bg", "weather_bg.jpg"), w, h, rgb)

    for frame in range(3):
        c = Canvas(48, 48)
        sun(c, 24, 24, 11, frame * math.pi / 12)
        write_file("anim/sun_%d.png" % frame, png_bytes(48, 48, 4, c.rgba()))

    c = Canvas(40, 40)
    sun(c, 20, 20, 8, 0)
    write_file("weather/ic_sunny.png", png_bytes(40, 40, 4, c.rgba()))
    c = Canvas(40, 40)
    sun(c, 26, 16, 5, 0.3)
    cloud(c, 18, 24, 1.2, (232, 236, 242))
    write_file("weather/ic_cloudy.png", png_bytes(40, 40, 4, c.rgba()))
    c = Canvas(40, 40)
    cloud(c, 20, 16, 1.2, (170, 180, 196))
    for x in (12, 20, 28):
        c.segment(x, 28, x - 3, 36, 1.3, (70, 140, 230))
    write_file("weather/ic_rain.png", png_bytes(40, 40, 4, c.rgba()))

    c = Canvas(16, 16)
    c.disc(8, 8.5, 6.5, (250, 200, 50))
    c.disc(8, 8.5, 4.5, (255, 250, 230))
    c.segment(8, 8.5, 8, 5, 0.8, (60, 60, 60))
    c.segment(8, 8.5, 10.5, 8.5, 0.8, (60, 60, 60))
    write_file("icons/ic_alarm.png", png_bytes(16, 16, 4, c.rgba()))

    # BMPs have no alpha: they are painted over the colour of the bar or list behind them.
    c = Canvas(24, 12)
    c.rect(0, 0, 21, 12, (220, 220, 220))
    c.rect(1, 1, 20, 11, (16, 32, 48))
    c.rect(2, 2, 15, 10, (80, 210, 90))
    c.rect(21, 4, 24, 8, (220, 220, 220))
    # Upper-case on disk although stored lower-case: the case fallback finds it.
    write_file("icons/IC_Battery.bmp", bmp_bytes(24, 12, c.rgb_over((16, 32, 48))))
    c = Canvas(16, 16)
    c.segment(5, 3, 11, 8, 1.5, (230, 230, 230))
    c.segment(11, 8, 5, 13, 1.5, (230, 230, 230))
    write_file("icons/ic_arrow.bmp", bmp_bytes(16, 16, c.rgb_over((24, 48, 72))))


# --------------------------------------------------------------------------------------------
# String table (text form: a [RESLAN] block, then one name= block per string)

LANGUAGES = ("English", "简体中文", "العربية")

STRINGS = (
    ("APPNAME", "Clock", "时钟", "الساعة"),
    ("TIME", "Time", "时间", "الوقت"),
    ("CITY", "Shenzhen", "深圳", "شنتشن"),
    ("TEMP", "23°C", "23°C", "23°م"),
    ("SUNNY", "Sunny", "晴", "مشمس"),
    ("CLOUDY", "Cloudy", "多云", "غائم"),
    ("RAIN", "Rain", "雨", "مطر"),
    ("FORECAST", "Forecast", "天气预报", "التوقعات"),
    ("MENU", "Menu", "菜单", "القائمة"),
    ("BACK", "Back", "返回", "رجوع"),
    ("SETTINGS", "Settings", "设置", "الإعدادات"),
    ("LANGUAGE", "Language", "语言", "اللغة"),
    ("ALARM", "Alarm", "闹钟", "المنبه"),
    ("TIPS", "Hold OK to set the alarm.[CR]Back returns.", "长按确定键设置闹钟。[CR]返回键退出。",
     "اضغط مطولا على موافق لضبط المنبه.[CR]زر الرجوع للخروج."),
)

STRING_TABLE = "lang/demo_str.txt"


def write_string_table():
    lines = ["# Strings of the demo project: one name= block per string, one string= line per",
             "# language in the order of the [RESLAN] block. A blank line ends each block.",
             "", "name=[RESLAN]"]
    lines += ["string=" + language for language in LANGUAGES]
    for name, *texts in STRINGS:
        assert len(name) <= 8, "text-form string names are cut to 8 characters"
        lines += ["", "name=" + name] + ["string=" + text for text in texts]
    write_file(STRING_TABLE, ("\r\n".join(lines) + "\r\n").encode("utf-8"))


# --------------------------------------------------------------------------------------------
# Project file, printed the way the project writer prints it (classic XML print, four
# spaces a level, " />" for empty elements, CR LF)


class Node:
    def __init__(self, tag, attributes=(), children=()):
        self.tag, self.attributes, self.children = tag, list(attributes), list(children)


def encode(text):
    out = []
    for ch in text:
        if ch in "&<>\"'":
            out.append({"&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;", "'": "&apos;"}[ch])
        elif ord(ch) < 32:
            out.append("&#x%02X;" % ord(ch))
        else:
            out.append(ch)
    return "".join(out)


def print_node(node, depth):
    text = "    " * depth + "<" + node.tag
    for name, value in node.attributes:
        quote = "'" if '"' in value else '"'
        text += " %s=%s%s%s" % (name, quote, encode(value), quote)
    if not node.children:
        return text + " />"
    text += ">"
    for child in node.children:
        text += "\n" + print_node(child, depth + 1)
    return text + "\n" + "    " * depth + "</" + node.tag + ">"


def prop(name, value):
    return Node("property", [("name", name), ("value", value)])


def width2(v):
    return "0x%.4x" % (v & 0xFFFF)


def width4(v):
    return "0x%.8x" % (v & 0xFFFFFFFF)


def stored_picture(relative):
    return ".\\images\\apps\\demo\\" + relative.replace("/", "\\").lower()


PICTURES = (  # (relative to the application folder, width, height, has alpha)
    ("bg/main_bg.png", 320, 240, False),
    ("bg/weather_bg.jpg", 320, 240, False),
    ("icons/ic_alarm.png", 16, 16, True),
    ("icons/IC_Battery.bmp", 24, 12, False),
    ("icons/ic_arrow.bmp", 16, 16, False),
    ("anim/sun_0.png", 48, 48, True),
    ("anim/sun_1.png", 48, 48, True),
    ("anim/sun_2.png", 48, 48, True),
    ("weather/ic_sunny.png", 40, 40, True),
    ("weather/ic_cloudy.png", 40, 40, True),
    ("weather/ic_rain.png", 40, 40, True),
)
PICTURE_INFO = {os.path.basename(p).lower(): (p, w, h, a) for p, w, h, a in PICTURES}


class Ids:
    def __init__(self):
        self.last = -1

    def next(self):
        self.last += 1
        return self.last


IDS = Ids()


def group(name, x, y, w, h, children, background=0x00C8C8C8, opaque=0, transparency=0,
          visible=1, editable=1):
    """A resource group; `background` is 0xAARRGGBB as the file holds it."""
    node = Node("element", [("class", "resgroup_resource")],
                [prop("name", name), prop("id", str(IDS.next())),
                 prop("x", width2(x)), prop("y", width2(y)),
                 prop("width", width2(w)), prop("height", width2(h)),
                 prop("background", width4(background)), prop("opaque", width2(opaque)),
                 prop("transparency", width2(transparency)), prop("visible", width2(visible)),
                 prop("editable", str(editable))])
    node.children += [child() for child in children]
    if not editable:
        lock_groups_below(node)
    return node


def lock_groups_below(node):
    """Loading a locked group locks every group below it, so a save stores "editable" 0 for
    them all; the file says so already."""
    for child in node.children:
        if child.tag == "element" and ("class", "resgroup_resource") in child.attributes:
            for p in child.children:
                if p.tag == "property" and ("name", "editable") in p.attributes:
                    p.attributes = [("name", "editable"), ("value", "0")]
            lock_groups_below(child)


def picture(name, x, y, frames, visible=True, compress=0, png_a8=0, argb=0):
    """A picture (one frame) or picture region (several). Its size is that of its pictures,
    and a shown one carries the format flag the writer stores: 0x10, plus 1 with alpha."""

    def make():
        infos = [PICTURE_INFO[f] for f in frames]
        _, w, h, alpha = infos[0]
        assert all(i[1:3] == (w, h) for i in infos), "frames of a region share one size"
        kind = "picture_resource" if len(frames) == 1 else "picregion_resource"
        layer = Node("element", [("class", "layer")],
                     [prop(str(i), stored_picture(info[0])) for i, info in enumerate(infos)])
        flag = (0x10 + (1 if alpha else 0)) if visible else 0
        return Node("element", [("class", kind)],
                    [prop("name", name), prop("id", str(IDS.next())),
                     prop("x", width2(x)), prop("y", width2(y)),
                     prop("width", width2(w)), prop("height", width2(h)),
                     prop("visible", width2(flag)), prop("compress", width2(compress)),
                     prop("PNG_A8", width2(png_a8)), prop("ARGB", width2(argb)), layer])
    return make


ALIGN_LEFT, ALIGN_CENTRE, ALIGN_RIGHT = 0x0C, 0x0E, 0x0D  # all centred vertically
MODE_NORMAL, MODE_TRANSPARENT = 0, 2


def string(name, x, y, w, h, strid, size=12, foreground=0x00FFFFFF, background=0x00FFFFFF,
           align=ALIGN_CENTRE, mode=MODE_TRANSPARENT, scroll=0, direction=-1, space=100,
           pixel=1):
    assert strid in {s[0] for s in STRINGS}
    return lambda: Node("element", [("class", "string_resource")],
                        [prop("name", name), prop("id", str(IDS.next())),
                         prop("x", width2(x)), prop("y", width2(y)),
                         prop("width", width2(w)), prop("height", width2(h)),
                         prop("foreground", width4(foreground)),
                         prop("background", width4(background)), prop("visible", width2(1)),
                         prop("align", width2(align)), prop("mode", width2(mode)),
                         prop("size", width2(size)), prop("scroll", "0x%x" % scroll),
                         prop("direction", "%d" % direction), prop("space", width2(space)),
                         prop("pixel", width2(pixel)), prop("strid", strid)])


def nested(name, x, y, w, h, children, **options):
    return lambda: group(name, x, y, w, h, children, **options)


def scene(name, top_group):
    node = Node("scene", [], [prop("name", name), prop("id", str(IDS.next())),
                              prop("direction", "0")])
    node.children += [prop("key%d" % n, str(n)) for n in range(1, 17)]
    node.children.append(top_group())
    return node


def main_scene():
    return scene("MainScene", nested("MainGroup", 0, 0, 320, 240, [
        picture("MainBg", 0, 0, ["main_bg.png"], compress=1),
        nested("StatusBar", 0, 0, 320, 24, [
            string("AppTitle", 8, 2, 120, 20, "APPNAME", size=16, background=0x00102030,
                   align=ALIGN_LEFT),
            picture("AlarmIcon", 268, 4, ["ic_alarm.png"], visible=False),
            picture("BatteryIcon", 290, 6, ["ic_battery.bmp"]),
        ], background=0x00102030, opaque=1),
        nested("ClockPanel", 0, 24, 320, 176, [
            string("TimeLabel", 20, 12, 180, 28, "TIME", size=24, align=ALIGN_LEFT),
            picture("SunAnim", 240, 8, ["sun_0.png", "sun_1.png", "sun_2.png"], png_a8=8),
            string("WeatherNow", 20, 60, 200, 20, "SUNNY", size=16, align=ALIGN_LEFT),
            string("CityName", 20, 84, 200, 16, "CITY", foreground=0x00c0d0ff,
                   align=ALIGN_LEFT),
            nested("TempBox", 200, 100, 100, 60, [
                string("TempNow", 0, 16, 100, 28, "TEMP", size=24),
            ], background=0x00000000, opaque=1, transparency=0x80),
        ], editable=0),
        nested("SoftKeys", 0, 200, 320, 40, [
            string("KeyMenu", 8, 10, 100, 20, "MENU", size=16, align=ALIGN_LEFT),
            string("KeyBack", 212, 10, 100, 20, "BACK", size=16, align=ALIGN_RIGHT),
        ], background=0x00202020, opaque=1),
    ]))


def weather_scene():
    def day(name, x, icon, frames, text_name, strid, with_temp):
        children = [picture(icon, 28, 16, frames, argb=8)]
        children.append(string(text_name, 0, 64, 96, 20, strid, foreground=0x00203040))
        if with_temp:
            children.append(string("TodayTemp", 0, 88, 96, 24, "TEMP", size=16,
                                   foreground=0x00203040))
        return nested(name, x, 0, 96, 144, children)

    return scene("WeatherScene", nested("WeatherGroup", 0, 0, 320, 240, [
        picture("WeatherBg", 0, 0, ["weather_bg.jpg"], compress=1),
        string("ForecastTitle", 0, 8, 320, 28, "FORECAST", size=24, foreground=0x00203040),
        nested("Forecast", 16, 48, 288, 144, [
            day("Today", 0, "TodayIcon", ["ic_sunny.png", "ic_cloudy.png", "ic_rain.png"],
                "TodayText", "SUNNY", True),
            day("Tomorrow", 96, "TomorrowIcon", ["ic_cloudy.png", "ic_rain.png", "ic_sunny.png"],
                "TomorrowText", "CLOUDY", False),
            day("Later", 192, "LaterIcon", ["ic_rain.png"], "LaterText", "RAIN", False),
        ]),
        nested("WeatherKeys", 0, 200, 320, 40, [
            string("WeatherBack", 212, 10, 100, 20, "BACK", size=16, foreground=0x00203040,
                   align=ALIGN_RIGHT),
        ]),
    ]))


def settings_scene():
    def item(name, y, label, strid, arrow):
        return nested(name, 0, y, 320, 40, [
            string(label, 16, 10, 200, 20, strid, size=16, align=ALIGN_LEFT),
            picture(arrow, 292, 12, ["ic_arrow.bmp"]),
        ], background=0x00304860)

    return scene("SettingsScene", nested("SettingsGroup", 0, 0, 320, 240, [
        string("SettingsTitle", 0, 0, 320, 36, "SETTINGS", size=24, background=0x00306090,
               mode=MODE_NORMAL),
        nested("MenuList", 0, 40, 320, 80, [
            item("LangItem", 0, "LangLabel", "LANGUAGE", "LangArrow"),
            item("AlarmItem", 40, "AlarmLabel", "ALARM", "AlarmArrow"),
        ]),
        string("TipsMarquee", 0, 176, 320, 20, "TIPS", foreground=0x00ffe080, scroll=1,
               space=200, pixel=2),
        nested("SettingsKeys", 0, 200, 320, 40, [
            string("SettingsBack", 212, 10, 100, 20, "BACK", size=16, align=ALIGN_RIGHT),
        ]),
    ], background=0x00183048, opaque=1))


def project_document():
    properties = [
        ("prj_name", "demo"),
        ("prj_language", "0x0"),
        ("prj_screen_width", "0x%x" % 320),
        ("prj_screen_height", "0x%x" % 240),
        ("prj_res_file", ".\\images\\apps\\demo\\style0\\demo.res"),
        ("prj_res_str_dir", ".\\images\\apps\\demo"),
        ("prj_res_head_file", "..\\demo_pic.h"),
        ("prj_res_str_head_file", "..\\demo_str.h"),
        ("prj_sty_head_file", "..\\demo_sty.h"),
        ("prj_sty_file", ".\\images\\apps\\demo\\demo.sty"),
        ("prj_build_res_type", "0x1"),
        ("prj_build_res_mode", "0x0"),
        ("prj_case_path", ".\\case"),
        ("prj_sdk_path", "..\\psp_rel"),
        ("desktop_file_create", "0x1"),
        ("desktop_file_path", ".\\images\\apps\\demo\\demo.desktop"),
        ("desktop_file_comment", "Clock and weather demo"),
        ("desktop_file_exec_dir", "/mnt/diska/apps/"),
        ("desktop_file_type", "0x0"),
        ("desktop_file_child", ""),
        ("desktop_file_exec", "demo.app"),
        ("desktop_file_icon_id", "0x0"),
        ("desktop_file_icon", "0x0"),
        ("desktop_file_name_id", "0x0"),
        ("desktop_file_name", "Clock"),
        ("desktop_file_name_str_id", "APPNAME"),
    ]
    root = Node("ui-rad", [], [prop(n, v) for n, v in properties])
    root.children += [main_scene(), weather_scene(), settings_scene()]
    resource = Node("resource")
    for layer_id, (path, _, _, _) in enumerate(PICTURES, start=1):
        resource.children.append(Node("picture", [("value", stored_picture(path)),
                                                  ("LayerID", str(layer_id))]))
    resource.children.append(Node("txt", [("value", stored_picture(STRING_TABLE))]))
    resource.children += [Node("string", [("value", s[0])]) for s in STRINGS]
    root.children.append(resource)

    text = ('<?xml version="1.0" encoding="utf-8" standalone="no" ?>\n'
            "<!--Zorvane IDE, Rapid Application Development-->\n" + print_node(root, 0) + "\n")
    return text.replace("\n", "\r\n").encode("utf-8")


def write_project():
    with open(os.path.join(HERE, "demo.ui"), "wb") as f:
        f.write(project_document())


def main():
    if shutil.which("c++") is None:
        sys.exit("make_assets.py: a C++ compiler (c++) is needed to write the JPEG")
    write_pictures()
    write_string_table()
    write_project()


if __name__ == "__main__":
    main()
