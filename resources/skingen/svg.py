"""Small SVG building helpers for the skin generator.

Every coordinate is a whole pixel. Rectangles are given as (left, top, right,
bottom) with right and bottom exclusive, the way the windows place their
controls, so a table rectangle can be used here unchanged.
"""

from xml.sax.saxutils import escape, quoteattr

FONT = "DejaVu Sans"


def _attrs(kw):
    out = []
    for key, value in kw.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        out.append(f"{name}={quoteattr(str(value))}")
    return (" " + " ".join(out)) if out else ""


def rect(x0, y0, x1, y1, fill, **kw):
    """A solid rectangle, pixel-crisp."""
    return (f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
            f'fill="{fill}" shape-rendering="crispEdges"{_attrs(kw)}/>')


def frame(x0, y0, x1, y1, color, width=1, **kw):
    """A hollow rectangle whose border lies inside (x0, y0)-(x1, y1)."""
    w = width
    d = (f"M{x0},{y0}H{x1}V{y1}H{x0}Z "
         f"M{x0 + w},{y0 + w}V{y1 - w}H{x1 - w}V{y0 + w}Z")
    return (f'<path d="{d}" fill="{color}" fill-rule="evenodd" '
            f'shape-rendering="crispEdges"{_attrs(kw)}/>')


def chamfer_path(x0, y0, x1, y1, c):
    return (f"M{x0 + c},{y0}H{x1 - c}L{x1},{y0 + c}V{y1 - c}L{x1 - c},{y1}"
            f"H{x0 + c}L{x0},{y1 - c}V{y0 + c}Z")


def box(x0, y0, x1, y1, fill, border=None, c=1, bw=1, **kw):
    """A flat box with 1-pixel cut corners and an optional border."""
    parts = []
    if border is None:
        parts.append(f'<path d="{chamfer_path(x0, y0, x1, y1, c)}" fill="{fill}" '
                     f'shape-rendering="crispEdges"{_attrs(kw)}/>')
    else:
        parts.append(f'<path d="{chamfer_path(x0, y0, x1, y1, c)}" fill="{border}" '
                     f'shape-rendering="crispEdges"{_attrs(kw)}/>')
        parts.append(f'<path d="{chamfer_path(x0 + bw, y0 + bw, x1 - bw, y1 - bw, max(c - 1, 0))}" '
                     f'fill="{fill}" shape-rendering="crispEdges"/>')
    return "".join(parts)


def hline(x0, x1, y, color, **kw):
    return rect(x0, y, x1, y + 1, color, **kw)


def vline(x, y0, y1, color, **kw):
    return rect(x, y0, x + 1, y1, color, **kw)


def polygon(points, fill, stroke=None, crisp=False, **kw):
    pts = " ".join(f"{x},{y}" for x, y in points)
    extra = ' shape-rendering="crispEdges"' if crisp else ""
    st = f' stroke="{stroke}" stroke-width="1"' if stroke else ""
    return f'<polygon points="{pts}" fill="{fill}"{st}{extra}{_attrs(kw)}/>'


def path(d, fill="none", stroke=None, sw=1, crisp=False, **kw):
    extra = ' shape-rendering="crispEdges"' if crisp else ""
    st = (f' stroke="{stroke}" stroke-width="{sw}" stroke-linecap="round" '
          f'stroke-linejoin="round"') if stroke else ""
    return f'<path d="{d}" fill="{fill}"{st}{extra}{_attrs(kw)}/>'


def circle(cx, cy, r, fill="none", stroke=None, sw=1, **kw):
    st = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{st}{_attrs(kw)}/>'


def text(x, y, s, size, fill, anchor="start", weight="normal", **kw):
    """Text whose baseline is at y."""
    return (f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}px" '
            f'font-weight="{weight}" fill="{fill}" text-anchor="{anchor}"'
            f'{_attrs(kw)}>{escape(s)}</text>')


def group(body, **kw):
    return f"<g{_attrs(kw)}>{''.join(body) if isinstance(body, list) else body}</g>"


def document(width, height, body, style="", defs=""):
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n'
            f"<style>{style}</style>\n<defs>{defs}</defs>\n{body}\n</svg>\n")
