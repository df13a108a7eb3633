#!/usr/bin/python3
"""Writes the demo's Word templates (Templates/*.dotx): OOXML packages with a title,
a few lines of text and the styles they use. The output is committed; run this again
after changing the text below. With --check it writes nothing and exits 1 when a
committed file differs from what it would write.

The ZIP entries are stored uncompressed with a fixed date, so the same text gives the
same bytes on any machine."""
import io
import os
import sys
import zipfile
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "Templates")
STAMP = (2024, 1, 1, 0, 0, 0)

TEMPLATES = {
    "Letter.dotx": ("Company Letter", [
        ("Title", "Dorvane Example Ltd"),
        ("Normal", "1 Harbour Street, Newport"),
        ("Normal", "[Recipient name]"),
        ("Normal", "[Recipient address]"),
        ("Normal", "Dear [Name],"),
        ("Normal", "[Body of the letter]"),
        ("Normal", "Yours sincerely,"),
        ("Normal", "[Your name]"),
    ]),
    "Memo.dotx": ("Internal Memo", [
        ("Title", "Memo"),
        ("Normal", "To: [Recipients]"),
        ("Normal", "From: [Your name]"),
        ("Normal", "Date: [Date]"),
        ("Normal", "Subject: [Subject]"),
        ("Heading1", "Summary"),
        ("Normal", "[What the reader needs to know]"),
    ]),
    "Report.dotx": ("Report", [
        ("Title", "[Report title]"),
        ("Normal", "Prepared by [Your name] for [Audience]"),
        ("Heading1", "Introduction"),
        ("Normal", "[Why this report was written]"),
        ("Heading1", "Findings"),
        ("Normal", "[What was found]"),
        ("Heading1", "Recommendations"),
        ("Normal", "[What should happen next]"),
    ]),
}

W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
R = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

CONTENT_TYPES = HEAD + (
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" '
    'ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    '<Override PartName="/word/document.xml" ContentType="application/'
    'vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml"/>'
    '<Override PartName="/word/styles.xml" ContentType="application/'
    'vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>'
    '<Override PartName="/docProps/core.xml" '
    'ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>'
    '<Override PartName="/docProps/app.xml" ContentType="application/'
    'vnd.openxmlformats-officedocument.extended-properties+xml"/>'
    '</Types>')

PACKAGE_RELS = HEAD + (
    f'<Relationships xmlns="{PKG_REL}">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
    'relationships/officeDocument" Target="word/document.xml"/>'
    '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/'
    'relationships/metadata/core-properties" Target="docProps/core.xml"/>'
    '<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
    'relationships/extended-properties" Target="docProps/app.xml"/>'
    '</Relationships>')

DOCUMENT_RELS = HEAD + (
    f'<Relationships xmlns="{PKG_REL}">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
    'relationships/styles" Target="styles.xml"/>'
    '</Relationships>')


def style(style_id, name, size, bold, default=False, space_after=160):
    attrs = ' w:default="1"' if default else ""
    run = ("<w:rPr>" + ("<w:b/>" if bold else "") +
           f'<w:color w:val="1F3F8F"/>' * (style_id != "Normal") +
           f'<w:sz w:val="{size}"/></w:rPr>')
    return (f'<w:style w:type="paragraph" w:styleId="{style_id}"{attrs}>'
            f'<w:name w:val="{name}"/>' + ('<w:basedOn w:val="Normal"/>' if not default else "") +
            f'<w:pPr><w:spacing w:after="{space_after}"/></w:pPr>{run}</w:style>')


STYLES = HEAD + (
    f'<w:styles xmlns:w="{W}">'
    '<w:docDefaults><w:rPrDefault><w:rPr>'
    '<w:rFonts w:ascii="Calibri" w:hAnsi="Calibri" w:cs="Calibri"/>'
    '<w:sz w:val="22"/><w:lang w:val="en-GB"/></w:rPr></w:rPrDefault></w:docDefaults>' +
    style("Normal", "Normal", 22, False, default=True) +
    style("Title", "Title", 48, True, space_after=240) +
    style("Heading1", "heading 1", 30, True, space_after=120) +
    '</w:styles>')


def document(paragraphs):
    body = "".join(f'<w:p><w:pPr><w:pStyle w:val="{s}"/></w:pPr>'
                   f'<w:r><w:t xml:space="preserve">{escape(text)}</w:t></w:r></w:p>'
                   for s, text in paragraphs)
    return HEAD + (
        f'<w:document xmlns:w="{W}" xmlns:r="{R}"><w:body>{body}'
        '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>'
        '<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440" '
        'w:header="708" w:footer="708" w:gutter="0"/></w:sectPr>'
        '</w:body></w:document>')


def core(title):
    return HEAD + (
        '<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/'
        'metadata/core-properties" xmlns:dc="http://purl.org/dc/elements/1.1/" '
        'xmlns:dcterms="http://purl.org/dc/terms/" '
        'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">'
        f'<dc:title>{escape(title)}</dc:title><dc:creator>Dorvane</dc:creator>'
        '<dcterms:created xsi:type="dcterms:W3CDTF">2024-01-01T00:00:00Z</dcterms:created>'
        '</cp:coreProperties>')


APP = HEAD + (
    '<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/'
    'extended-properties"><Template>Normal.dotm</Template>'
    '<Application>Dorvane demo</Application></Properties>')


def package(title, paragraphs):
    parts = [
        ("[Content_Types].xml", CONTENT_TYPES),
        ("_rels/.rels", PACKAGE_RELS),
        ("docProps/core.xml", core(title)),
        ("docProps/app.xml", APP),
        ("word/document.xml", document(paragraphs)),
        ("word/_rels/document.xml.rels", DOCUMENT_RELS),
        ("word/styles.xml", STYLES),
    ]
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        for name, text in parts:
            info = zipfile.ZipInfo(name, STAMP)
            info.compress_type = zipfile.ZIP_STORED
            info.external_attr = 0o644 << 16
            z.writestr(info, text.encode("utf-8"))
    return buf.getvalue()


def main(check):
    stale = []
    for name, (title, paragraphs) in TEMPLATES.items():
        data = package(title, paragraphs)
        path = os.path.join(OUT, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() == data:
                        continue
            except FileNotFoundError:
                pass
            stale.append(name)
        else:
            os.makedirs(OUT, exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    for name in stale:
        print(f"make-templates.py: {name} is not what this script writes", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main("--check" in sys.argv[1:]))
